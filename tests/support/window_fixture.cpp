#include "support/window_fixture.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

namespace examora::testing {

WindowFixture::WindowFixture(std::optional<QByteArray> fileContent, QDate today)
    : previousDir_(QDir::currentPath()), clock_(today) {
    QDir::setCurrent(dir_.path());
    if (fileContent)
        writeDataFile(*fileContent);
    window_ = std::make_unique<Form1>(messages_, clock_);
    window_->show();
    normalSize_ = window_->frameGeometry().size();
    QTRY_VERIFY_WITH_TIMEOUT(window_->Started(), 20000);
}

// Taking the window down does not close it: no question is asked.
WindowFixture::~WindowFixture() {
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

void WindowFixture::choose(const QString& item) {
    QAction* command = action(item);
    for (QObject* owner : command->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            emit menu->aboutToShow();
    if (command->isVisible())
        command->trigger();
}

void WindowFixture::typeExam(const QString& name, const QString& mark, const QString& credits,
                             const QString& date) {
    retype(text(0), name);
    if (!date.isNull())
        retype(text(1), date);
    retype(text(2), mark);
    retype(text(3), credits);
    QTest::keyClick(text(3), Qt::Key_Return);
}

void WindowFixture::retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

QStringList WindowFixture::lines() const {
    QStringList shown;
    const QAbstractItemModel* model = list()->model();
    for (int i = 0; i < model->rowCount(); ++i)
        shown.append(model->index(i, 0).data().toString());
    return shown;
}

bool WindowFixture::checked(int row) const {
    return list()->model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void WindowFixture::setChecked(int row, bool checked) {
    QAbstractItemModel* model = list()->model();
    model->setData(model->index(row, 0), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

QByteArray DataFile(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace examora::testing
