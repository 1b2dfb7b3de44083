// The two graphs over time. Each exam is a white stem from 0 up to its plotted value, topped by a
// filled circle; the circle goes first and the stem over it, in list order, so that the later of two
// exams on one x is on top.
#include "app/form1.h"
#include "graphs/graph_frame.h"

namespace examora {
namespace {

const QColor kWhite(255, 255, 255);

} // namespace

void PaintGraph(Surface& surface, const GraphFrame& frame) {
    surface.SetScale(frame.scaleTop, frame.scaleHeight, frame.scaleWidth);
    const double radius = static_cast<float>(surface.Scale().width / 99);
    for (const GraphPoint& point : frame.points) {
        surface.Circle(QPointF(point.x, point.value), radius, kWhite);
        surface.Line(QPointF(point.x, 0), QPointF(point.x, point.value), kWhite);
    }
}

void Form1::DrawMarksTimeGraph() { DrawGraph(PlottedValue::Mark, QColor(255, 255, 0)); }

void Form1::DrawMarksCreditsGraph() { DrawGraph(PlottedValue::MarkTimesCredits, QColor(0, 0, 255)); }

void Form1::DrawGraph(PlottedValue value, const QColor& fill) {
    surface->Cls();
    if (ExamList->ListCount() < 2)
        return;
    surface->SetFillColor(fill);
    EnterView(View::Graph);
    const std::optional<GraphFrame> frame = ComputeGraphFrame(ExamList->Store().Readings(), timeUnit, value);
    if (!frame) {
        messages_.MsgBox(QStringLiteral("Else condition detected->Error"), OkOnly, QString());
        return;
    }
    PaintGraph(*surface, *frame);
    graphOrigin = frame->earliest;
}

} // namespace examora
