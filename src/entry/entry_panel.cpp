// The entry panel: four fields and a button that arms itself only when the fields are acceptable
// and then inserts the exam at its sorted place.
#include "app/form1.h"
#include "entry/entry_fields.h"
#include "records/conversions.h"

#include <QAction>

namespace examora {
namespace {

QString ExamNumberCaption(int listCount) { return QStringLiteral("Exam ") + Str(listCount + 1); }

} // namespace

void Form1::AddExam_Click() {
    EnterView(View::Entry);
    Label[1]->SetFontSize(24);
    SetLabelRowColours();
    Label[0]->SetCaption(ExamNumberCaption(ExamList->ListCount()));
    Label[1]->SetCaption(QStringLiteral("Date"));
    Label[2]->SetCaption(QStringLiteral("Mark"));
    Label[3]->SetCaption(QStringLiteral("Credit value"));
    // The date goes in last: its change runs the field test.
    Text[1]->setText(ProposedDate(clock_.Today()));
    Text[0]->setFocus();
}

void Form1::Text_Change(int) { CheckEntryFields(); }

void Form1::CheckEntryFields() {
    const bool armed =
        EntryFieldsAcceptable(Text[0]->text(), Text[1]->text(), Text[2]->text(), Text[3]->text());
    ExamComm->setEnabled(armed);
    ExamComm->setDefault(armed);
    SetButtonFace(ExamComm, armed ? QColor(0, 255, 0) : QColor(255, 0, 0));
    ExamComm->setText(armed ? QStringLiteral("OK") : QString());
}

void Form1::ExamComm_Click() {
    if (changingRow >= 0)
        return ReplaceChangedExam();
    PushInsertion(EntryRecordLine(Text[0]->text(), Text[1]->text(), Text[2]->text(), Text[3]->text()));
    Label[0]->SetCaption(ExamNumberCaption(ExamList->ListCount()));
    Text[0]->clear();
    Text[2]->clear();
    Text[3]->clear();
    ExamComm->setEnabled(false);
    ShowExams->setEnabled(true);
    dataChanged = true;
    Text[0]->setFocus();
}

} // namespace examora
