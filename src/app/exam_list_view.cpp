// The exam list view: every held exam with a check box; "Erase exam(s)" removes the checked ones.
#include "app/form1.h"

#include <QAction>

namespace examora {

void Form1::ShowExams_Click() {
    EnterView(View::ExamList);
    if (ExamList->SelCount() > 0)
        EraseExams->setVisible(true);
}

void Form1::ExamList_ItemCheck(int) {
    const bool anyChecked = ExamList->SelCount() >= 1;
    EraseExams->setVisible(anyChecked);
    if (anyChecked)
        EraseExams->setEnabled(true);
}

void Form1::EraseExams_Click() {
    // Every checked line goes in one pass; the lines left keep their order.
    if (ExamList->SelCount() > 0)
        PushErasure();
    if (ExamList->ListCount() == 0)
        EraseExams->setEnabled(false);
    dataChanged = true;
}

} // namespace examora
