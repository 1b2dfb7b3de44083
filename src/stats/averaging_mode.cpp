// The Mode menu: academic averaging leaves out the exams marked 0, mathematical averaging takes
// them all. The mode lives only in the check marks of the two items.
#include "app/form1.h"
#include "records/conversions.h"

#include <QAction>

namespace examora {
namespace {

// The statistics view is on screen when Label(1) is showing its "Overall mark" read-out.
bool MainStatsShowing(const CaptionLabel* label) {
    const bool titled =
        UpperCase(label->Caption()).contains(UpperCase(QStringLiteral("overall")), Qt::CaseInsensitive);
    const bool visible = !label->isHidden();
    return titled && visible;
}

} // namespace

AverageMode Form1::CurrentAverageMode() const {
    return AcademicMode->isChecked() ? AverageMode::Academic : AverageMode::Math;
}

void Form1::AcademicMode_Click() {
    AcademicMode->setChecked(true);
    MathMode->setChecked(false);
    if (MainStatsShowing(Label[1]))
        ShowMainStats();
}

void Form1::MathMode_Click() {
    AcademicMode->setChecked(false);
    MathMode->setChecked(true);
    if (MainStatsShowing(Label[1]))
        ShowMainStats();
}

} // namespace examora
