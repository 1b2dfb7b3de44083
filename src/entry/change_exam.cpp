// The change of an exam in place: the entry panel opens on the chosen line's four fields as stored,
// and its button replaces that line by the new one, undoably, then shows the list with the changed
// line current.
#include "app/form1.h"
#include "records/exam_list_undo.h"
#include "entry/entry_fields.h"
#include "records/record_line.h"

#include <QAction>
#include <QUndoStack>

namespace examora {

void Form1::ExamList_DblClick(int row) {
    if (row < 0 || row >= ExamList->ListCount())
        return;
    const QStringList parts = RecordParts(ExamList->List(row));
    AddExam_Click();
    Label[0]->SetCaption(QStringLiteral("Change exam"));
    // The date goes in last: its change runs the field test.
    for (int i : {0, 2, 3, 1})
        Text[i]->setText(parts.value(i));
    changingRow = row;
    Text[0]->setFocus();
}

void Form1::ReplaceChangedExam() {
    const int row = changingRow;
    const QString line = EntryRecordLine(Text[0]->text(), Text[1]->text(), Text[2]->text(), Text[3]->text());
    int current = row;
    if (line != ExamList->List(row)) {
        auto* change = new ListEdit(ExamList->Store(), QStringLiteral("Change exam"), {row}, line);
        undoStack->push(change);
        current = change->AddedRow();
        dataChanged = true;
    }
    ShowExams_Click();
    ExamList->setCurrentIndex(ExamList->model()->index(current, 0));
    ExamList->scrollTo(ExamList->currentIndex());
    ExamList->setFocus();
}

} // namespace examora
