// What the benchmarks share: a message box that answers nothing, exam lines spread over twenty
// years, and a real window shown and started in an empty folder.
#pragma once

#include "records/exam_list_model.h"
#include "window/form1.h"
#include "window/services/message_service.h"
#include "window/widgets/surface.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

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

// The window's controls and commands by their object names, and the exams its list shows: what a
// benchmark sets up directly, to time only the command it measures.
template <class T> T* Control(const Form1& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control named %s", name);
    return control;
}
QAction* Command(const Form1& window, const char* name);
Surface* SurfaceOf(const Form1& window);
ExamListModel& Exams(const Form1& window);

// The graph floor: where each exam's circle and stem land, in whole pixels, and one pre-rendered
// circle image that is copied (not blended) there per exam, its stem written as one column.
struct GraphFloorShapes {
    std::vector<QPoint> tops;
    std::vector<int> feet; // the row of the stem's foot
    QImage circle;         // the circle, its centre at the image's centre
};
GraphFloorShapes FloorShapes(const QStringList& lines, const QString& timeUnit, bool marksTimesCredits,
                             QSize surface, const QColor& fill);
void PaintGraphFloor(const GraphFloorShapes& shapes, QImage& image);

} // namespace examora::bench
