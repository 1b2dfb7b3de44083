#include "window/views/graph_view.h"

#include "graphs/graph_text.h"
#include "graphs/pointer_readout.h"
#include "records/conversions.h"
#include "window/drawing/graph_painting.h"
#include "window/widgets/surface.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace examora {

QWidget* GraphView::FocusTarget() const { return x_.c.surface; }

void GraphView::Graphics_Click() {
    const bool enough = x_.document.Count() >= 2;
    x_.m.MarksTime->setEnabled(enough);
    x_.m.MarksCredits->setEnabled(enough);
}

void GraphView::MarksTime_Click() {
    x_.screen.SetBackColor(QColor(0, 64, 0));
    x_.m.MarksCredits->setChecked(false);
    x_.m.MarksTime->setChecked(true);
    DrawMarksTimeGraph();
}

void GraphView::MarksCredits_Click() {
    x_.screen.SetBackColor(QColor(0, 0, 64));
    x_.m.MarksCredits->setChecked(true);
    x_.m.MarksTime->setChecked(false);
    DrawMarksCreditsGraph();
}

void GraphView::Days_Click() { SetUnitCommand(x_.m.Days, kDays); }
void GraphView::Months_Click() { SetUnitCommand(x_.m.Months, kMonths); }
void GraphView::Years_Click() { SetUnitCommand(x_.m.Years, kYears); }

void GraphView::SetUnitCommand(QAction* checked, const QString& code) {
    for (QAction* unit : {x_.m.Days, x_.m.Months, x_.m.Years})
        unit->setChecked(unit == checked);
    timeUnit_ = code;
    RedrawGraph();
    // The read-out in the caption speaks of the old unit: it is written anew where the pointer is,
    // or cleared when the pointer is elsewhere.
    if (!x_.screen.GraphShown())
        return;
    const QPoint at = x_.c.surface->mapFromGlobal(QCursor::pos());
    if (!x_.c.surface->rect().contains(at))
        return x_.screen.SetCaption(QStringLiteral("Examora"));
    const QPointF user = x_.c.surface->ToUser(at);
    Form_MouseMove(0, 0, static_cast<float>(user.x()), static_cast<float>(user.y()));
}

void GraphView::RedrawGraph() {
    x_.c.surface->Cls();
    if (x_.m.MarksTime->isChecked())
        DrawMarksTimeGraph();
    else
        DrawMarksCreditsGraph();
}

void GraphView::DrawMarksTimeGraph() { DrawGraph(PlottedValue::Mark, QColor(255, 255, 0)); }

void GraphView::DrawMarksCreditsGraph() { DrawGraph(PlottedValue::MarkTimesCredits, QColor(0, 0, 255)); }

void GraphView::DrawGraph(PlottedValue value, const QColor& fill) {
    x_.c.surface->Cls();
    if (x_.document.Count() < 2)
        return Leave();
    x_.c.surface->SetFillColor(fill);
    x_.screen.Enter(ViewId::Graph);
    const std::optional<GraphFrame> frame =
        ComputeGraphFrame(x_.document.List().Readings(), timeUnit_, value);
    if (!frame) {
        x_.messages.MsgBox(QStringLiteral("Else condition detected->Error"), OkOnly, QString());
        return;
    }
    PaintGraph(*x_.c.surface, *frame);
    graphOrigin_ = frame->earliest;
    // What a screen reader says of the graph, in place of the picture.
    x_.c.surface->setAccessibleDescription(GraphText(*frame, value, timeUnit_));
}

void GraphView::Leave() { x_.c.surface->setAccessibleDescription({}); }

// A graph still answering the pointer is drawn anew; one the File menu silenced stays as it is.
void GraphView::Refresh() {
    if (x_.screen.GraphShown())
        RedrawGraph();
}

void GraphView::Form_MouseMove(int, int, float x, float y) {
    if (x_.screen.GraphShown())
        x_.screen.SetCaption(PointerReadout(timeUnit_, graphOrigin_, x, y, x_.m.MarksTime->isChecked()));
}

void GraphView::Form_MouseDown(int button, int, float x, float y) {
    if (x_.screen.GraphShown() && button == 2)
        x_.m.SetTimeUnits->popup(x_.c.surface->mapToGlobal(x_.c.surface->ToPixels(QPointF(x, y)).toPoint()));
}

void GraphView::PopUpUnitsFromKeyboard() {
    if (x_.screen.GraphShown())
        x_.m.SetTimeUnits->popup(x_.c.surface->mapToGlobal(x_.c.surface->rect().center()));
}

} // namespace examora
