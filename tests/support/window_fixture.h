// A real main window started in a temporary working directory that holds the given data file,
// with scripted message boxes and a fixed clock. The window is shown (offscreen in tests) and
// waits for its start-up to finish.
#pragma once

#include "app/form1.h"
#include "support/test_services.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace examora::testing {

class WindowFixture {
public:
    // fileContent: the bytes of "Examora.TXT", or nothing for no data file.
    explicit WindowFixture(std::optional<QByteArray> fileContent, QDate today = QDate(2026, 12, 7));
    ~WindowFixture();

    Form1& window() { return *window_; }
    ScriptedMessages& messages() { return messages_; }
    FixedClock& clock() { return clock_; }
    QString dataFilePath() const;
    QByteArray dataFileBytes() const;
    void writeDataFile(const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
    QString previousDir_;
    ScriptedMessages messages_;
    FixedClock clock_;
    std::unique_ptr<Form1> window_;
};

// Lines joined with CR LF after each, as the program writes them.
QByteArray DataFile(const QStringList& lines);

} // namespace examora::testing
