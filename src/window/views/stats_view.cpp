#include "window/views/stats_view.h"

#include "window/widgets/caption_label.h"
#include "window/widgets/surface.h"

#include <QAction>

namespace examora {

QWidget* StatsView::FocusTarget() const { return x_.c.surface; }

void StatsView::ViewMainStats_Click() {
    x_.screen.ForgetGraph();
    x_.screen.SetCaption(QStringLiteral("Examora"));
    x_.screen.SetBackColor(QColor(64, 64, 64));
    ShowMainStats();
}

void StatsView::ShowMainStats() {
    x_.c.surface->Cls();
    x_.screen.SetLabelRowColours();
    // With fewer than two exams the view is not entered: what is on screen stays.
    if (x_.document.Count() < 2)
        return;
    const MainStats stats = ComputeMainStats(x_.document.List().Readings(), CurrentAverageMode());
    x_.screen.Enter(ViewId::MainStats);
    const MainStatsCaptions captions = CaptionsOf(stats);
    x_.c.Label[0]->SetCaption(captions.exams);
    x_.c.Label[1]->SetCaption(captions.overall);
    x_.c.Label[2]->SetCaption(captions.average);
    x_.c.Label[3]->SetCaption(captions.credits);
}

AverageMode StatsView::CurrentAverageMode() const {
    return x_.m.AcademicMode->isChecked() ? AverageMode::Academic : AverageMode::Math;
}

void StatsView::AcademicMode_Click() { SetMode(AverageMode::Academic); }
void StatsView::MathMode_Click() { SetMode(AverageMode::Math); }

// The mode lives only in the check marks of the two items; the view on screen shows it at once.
void StatsView::SetMode(AverageMode mode) {
    x_.m.AcademicMode->setChecked(mode == AverageMode::Academic);
    x_.m.MathMode->setChecked(mode == AverageMode::Math);
    if (x_.screen.Current() == ViewId::MainStats)
        ShowMainStats();
    else if (x_.screen.Current() == ViewId::WhatIf)
        x_.screen.RefreshCurrent();
}

} // namespace examora
