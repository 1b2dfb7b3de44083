#include "support/window_fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace examora::testing {

WindowFixture::WindowFixture(std::optional<QByteArray> fileContent, QDate today)
    : previousDir_(QDir::currentPath()), clock_(today) {
    QDir::setCurrent(dir_.path());
    if (fileContent)
        writeDataFile(*fileContent);
    window_ = std::make_unique<Form1>(messages_, clock_);
    window_->show();
    QTRY_VERIFY_WITH_TIMEOUT(window_->Started(), 20000);
}

WindowFixture::~WindowFixture() {
    // Closing through the close event would ask the scripted box; the tests close on purpose.
    window_->dataChanged = false;
    window_.reset();
    QDir::setCurrent(previousDir_);
}

QString WindowFixture::dataFilePath() const { return dir_.filePath(QStringLiteral("Examora.TXT")); }

QByteArray WindowFixture::dataFileBytes() const {
    QFile file(dataFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WindowFixture::writeDataFile(const QByteArray& bytes) const {
    QFile file(dataFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the test data file");
    file.write(bytes);
}

QByteArray DataFile(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace examora::testing
