// The Graphics menu, the time-unit commands of the Units pop-up, and the redraw they share. Which
// graph is meant is told by the check mark of "Marks VS Time" alone.
#include "app/form1.h"
#include "records/conversions.h"

#include <QAction>

namespace examora {

void Form1::Graphics_Click() {
    const bool enough = ExamList->ListCount() >= 2;
    MarksTime->setEnabled(enough);
    MarksCredits->setEnabled(enough);
}

void Form1::MarksTime_Click() {
    SetBackColor(QColor(0, 64, 0));
    MarksCredits->setChecked(false);
    MarksTime->setChecked(true);
    DrawMarksTimeGraph();
}

void Form1::MarksCredits_Click() {
    SetBackColor(QColor(0, 0, 64));
    MarksCredits->setChecked(true);
    MarksTime->setChecked(false);
    DrawMarksCreditsGraph();
}

void Form1::SetUnitCommand(QAction* checked, const QString& code) {
    for (QAction* unit : {Days, Months, Years})
        unit->setChecked(unit == checked);
    timeUnit = code;
    RedrawGraph();
}

void Form1::Days_Click() { SetUnitCommand(Days, kDays); }
void Form1::Months_Click() { SetUnitCommand(Months, kMonths); }
void Form1::Years_Click() { SetUnitCommand(Years, kYears); }

void Form1::RedrawGraph() {
    surface->Cls();
    if (MarksTime->isChecked())
        DrawMarksTimeGraph();
    else
        DrawMarksCreditsGraph();
}

} // namespace examora
