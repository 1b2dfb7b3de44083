#include "window/views/list_view.h"

#include "window/views/entry_panel.h"
#include "window/widgets/exam_list_box.h"

#include <QAction>

namespace examora {

QWidget* ListView::FocusTarget() const { return x_.c.ExamList; }

void ListView::ShowExams_Click() {
    x_.screen.Enter(ViewId::ExamList);
    if (x_.document.List().SelCount() > 0)
        x_.m.EraseExams->setVisible(true);
}

void ListView::ExamList_ItemCheck(int) {
    const bool anyChecked = x_.document.List().SelCount() >= 1;
    x_.m.EraseExams->setVisible(anyChecked);
    if (anyChecked)
        x_.m.EraseExams->setEnabled(true);
}

// Every checked line goes in one pass; the lines left keep their order.
void ListView::EraseExams_Click() {
    x_.document.EraseChecked();
    if (x_.document.Count() == 0)
        x_.m.EraseExams->setEnabled(false);
}

void ListView::ExamList_DblClick(int row) { entry_.ChangeExam(row); }

} // namespace examora
