// The entry panel: four fields and a button that arms itself only when the fields are acceptable
// and then inserts the exam at its sorted place. Opened on a held exam ("Change exam") the same
// panel replaces that exam; leaving it in any way gives the boxes back what the adding panel held.
#pragma once

#include "window/views/view_context.h"

#include <QStringList>
#include <optional>

namespace examora {

class EntryPanel : public View {
public:
    explicit EntryPanel(const ViewContext& context) : x_(context) {}

    void AddExam_Click();
    void Text_Change(int index);
    void CheckEntryFields();
    void ExamComm_Click();
    // Opens the panel on the held exam at the given row, to change it.
    void ChangeExam(int row);
    // Escape: a change is abandoned for the list, the exam as it was.
    void Escape_Press();

    void Open() override { AddExam_Click(); }
    QWidget* FocusTarget() const override;
    void Leave() override;
    void Refresh() override;

private:
    QString TypedLine() const;
    void ReplaceChangedExam();
    void ShowNextExamNumber();

    ViewContext x_;
    // While an exam is changed: the line as held, and what the boxes held before.
    std::optional<QString> changing_;
    QStringList adding_;
};

} // namespace examora
