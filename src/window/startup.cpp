#include "records/conversions.h"
#include "window/form1.h"
#include "window/list_placement.h"
#include "window/widgets/exam_list_box.h"
#include "window/widgets/twips.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>

namespace examora {
namespace {

// A file this large (half a million exams) takes a few tenths of a second to read; a smaller one is
// read before the first paint, sooner than a paint of the empty window would be over.
constexpr qint64 kPaintFirstBytes = qint64{16} << 20;

} // namespace

ListPlacement PlaceExamList(float outerWidth, float outerHeight) {
    const float w = outerWidth, h = outerHeight;
    const float left = w / 100, top = h * 2 / 100, width = w * 95 / 100, height = h * 90 / 100;
    const float offset = h * 1.5f / 100;
    return {QRectF(left, top, width, height), QRectF(left + offset, top + offset, width, height)};
}

void Form1::Form_Load() {
    // Two-digit years are read around the clock's year; no file has shown its order of day and
    // month yet.
    SetCurrentYear(context_.clock.Today().year());
    SetFileDateOrder(std::nullopt);
}

void Form1::Form_Activate() {
    screen_.TakeNormalSize();
    graph_.Years_Click();
    screen_.ShowMaximised();
    // A window manager maximises in its own time; the maximised outer size is the screen's
    // available area, whether or not the window has reached it yet.
    const QRect maximised = screen()->availableGeometry();
    const ListPlacement place = PlaceExamList(static_cast<float>(ToTwips(maximised.width())),
                                              static_cast<float>(ToTwips(maximised.height())));
    auto toPixels = [](const QRectF& r) { return TwipsRect(r.left(), r.top(), r.width(), r.height()); };
    c_.ExamList->setGeometry(toPixels(place.list));
    c_.ExamListShadow->setGeometry(toPixels(place.shadow));
    // A large file takes a moment to read: the window is painted first.
    if (QFileInfo(document_.Path()).size() > kPaintFirstBytes)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    file_.LoadDataAtStart();
    if (document_.Count() >= 2)
        stats_.ShowMainStats();
    else
        entry_.AddExam_Click();
}

} // namespace examora
