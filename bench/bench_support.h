// What the benchmarks share: a message box that answers nothing, exam lines spread over twenty
// years, and a real window shown and started in an empty folder.
#pragma once

#include "app/form1.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace examora::bench {

class SilentMessages : public MessageService {
public:
    int MsgBox(const QString&, int, const QString&) override { return AnswerOk; }
};

// Lines as the entry panel writes them in an American locale, one a week-ish over twenty years,
// marks from lowestMark to 30 and credit values 1 to 12.
QStringList ExamLines(int count, int lowestMark);

// A shown window, started with no data file. Keep it for the process's end to take (allocate it
// with new and never delete it): it cannot outlive the application object, which goes before
// static objects do.
struct StartedWindow {
    StartedWindow();
    QTemporaryDir dir;
    SilentMessages messages;
    SystemClock clock;
    std::unique_ptr<Form1> window;
};

} // namespace examora::bench
