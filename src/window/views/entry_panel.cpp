#include "window/views/entry_panel.h"

#include "entry/entry_fields.h"
#include "records/conversions.h"
#include "records/record_line.h"
#include "window/widgets/button_face.h"
#include "window/widgets/caption_label.h"
#include "window/widgets/exam_list_box.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace examora {

QWidget* EntryPanel::FocusTarget() const { return x_.c.Text[0]; }

void EntryPanel::AddExam_Click() {
    x_.screen.Enter(ViewId::Entry);
    ShowNextExamNumber();
    x_.c.Label[1]->SetCaption(QStringLiteral("Date"));
    x_.c.Label[2]->SetCaption(QStringLiteral("Mark"));
    x_.c.Label[3]->SetCaption(QStringLiteral("Credit value"));
    // The date goes in last: its change runs the field test.
    x_.c.Text[1]->setText(ProposedDate(x_.clock.Today()));
}

void EntryPanel::ShowNextExamNumber() {
    x_.c.Label[0]->SetCaption(QStringLiteral("Exam ") + Str(x_.document.Count() + 1));
}

void EntryPanel::Text_Change(int) { CheckEntryFields(); }

void EntryPanel::CheckEntryFields() {
    QLineEdit* const* t = x_.c.Text;
    const QString problem = EntryFieldProblem(t[0]->text(), t[1]->text(), t[2]->text(), t[3]->text());
    const bool armed = problem.isEmpty();
    // A disarmed button keeps its name and says which field holds it back.
    x_.c.ExamComm->setToolTip(problem);
    x_.c.ExamComm->setAccessibleName(QStringLiteral("OK"));
    x_.c.ExamComm->setAccessibleDescription(problem);
    x_.c.ExamComm->setEnabled(armed);
    x_.c.ExamComm->setDefault(armed);
    SetButtonFace(x_.c.ExamComm, armed ? QColor(0, 255, 0) : QColor(255, 0, 0));
    x_.c.ExamComm->setText(armed ? QStringLiteral("OK") : QString());
}

QString EntryPanel::TypedLine() const {
    QLineEdit* const* t = x_.c.Text;
    return EntryRecordLine(t[0]->text(), t[1]->text(), t[2]->text(), t[3]->text());
}

void EntryPanel::ExamComm_Click() {
    if (changing_)
        return ReplaceChangedExam();
    x_.document.Insert(TypedLine());
    ShowNextExamNumber();
    for (int i : {0, 2, 3})
        x_.c.Text[i]->clear();
    x_.c.ExamComm->setEnabled(false);
    x_.c.Text[0]->setFocus();
}

void EntryPanel::ChangeExam(int row) {
    if (row < 0 || row >= x_.document.Count())
        return;
    const QString held = x_.document.List().List(row);
    AddExam_Click();
    adding_.clear();
    for (QLineEdit* box : x_.c.Text)
        adding_.append(box->text());
    changing_ = held;
    x_.c.Label[0]->SetCaption(QStringLiteral("Change exam"));
    // The date goes in last: its change runs the field test.
    const QStringList parts = RecordParts(held);
    for (int i : {0, 2, 3, 1})
        x_.c.Text[i]->setText(parts.value(i));
}

// The exam is found again by its text: the list may have changed under the panel.
void EntryPanel::ReplaceChangedExam() {
    const int row = x_.document.List().Find(*changing_);
    if (row < 0) {
        x_.messages.MsgBox(
            QStringLiteral("The exam being changed is no longer in the list: the change was not made."),
            Exclamation, QStringLiteral("Examora"));
        return x_.screen.Open(ViewId::ExamList);
    }
    const int changed = x_.document.Change(row, TypedLine());
    x_.screen.Open(ViewId::ExamList);
    x_.c.ExamList->ShowCurrent(changed);
}

void EntryPanel::Escape_Press() {
    if (changing_)
        x_.screen.Open(ViewId::ExamList);
}

void EntryPanel::Leave() {
    if (!changing_)
        return;
    changing_.reset();
    for (int i : {0, 2, 3, 1})
        x_.c.Text[i]->setText(adding_.value(i));
}

void EntryPanel::Refresh() {
    if (!changing_)
        ShowNextExamNumber();
}

} // namespace examora
