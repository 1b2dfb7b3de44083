// The exam list view: every held exam with a check box; "Erase exam(s)" removes the checked ones,
// and a double click or Enter on an exam opens it in the entry panel to be changed.
#pragma once

#include "window/views/view_context.h"

namespace examora {

class EntryPanel;

class ListView : public View {
public:
    ListView(const ViewContext& context, EntryPanel& entry) : x_(context), entry_(entry) {}

    void ShowExams_Click();
    void ExamList_ItemCheck(int item);
    void EraseExams_Click();
    void ExamList_DblClick(int row);

    void Open() override { ShowExams_Click(); }
    QWidget* FocusTarget() const override;
    void Refresh() override { ExamList_ItemCheck(0); }

private:
    ViewContext x_;
    EntryPanel& entry_;
};

} // namespace examora
