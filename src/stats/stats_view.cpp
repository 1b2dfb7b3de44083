// The statistics view: four coloured read-outs filled from the held records.
#include "app/form1.h"
#include "records/conversions.h"

namespace examora {

void Form1::ViewMainStats_Click() {
    graphShown = false;
    SetCaption(QStringLiteral("Examora"));
    SetBackColor(QColor(64, 64, 64));
    ShowMainStats();
}

void Form1::ShowMainStats() {
    surface->Cls();
    SetLabelRowColours();
    // With fewer than two exams the view is not entered: what is on screen stays.
    if (ExamList->ListCount() < 2)
        return;
    Label[1]->SetFontSize(24);
    const MainStats stats = ComputeMainStats(ExamList->Store().Readings(), CurrentAverageMode());
    EnterView(View::MainStats);
    const MainStatsCaptions captions = CaptionsOf(stats);
    Label[0]->SetCaption(captions.exams);
    Label[1]->SetCaption(captions.overall);
    Label[2]->SetCaption(captions.average);
    Label[3]->SetCaption(captions.credits);
}

} // namespace examora
