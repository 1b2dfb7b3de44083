// The undo history of the list, and the commands that move along it. Undoing back to the state of
// the last load or save clears the changed state; the view on screen shows the list as it now is.
#include "records/exam_list_undo.h"

#include "app/form1.h"
#include "records/conversions.h"

#include <QAction>
#include <QUndoStack>

namespace examora {

ListEdit::ListEdit(ExamListModel& store, const QString& text, QList<int> rows, std::optional<QString> added)
    : QUndoCommand(text), store_(store), rows_(std::move(rows)), added_(std::move(added)) {
    for (int row : std::as_const(rows_))
        removed_.append(store_.List(row));
}

void ListEdit::redo() {
    if (rows_.size() == 1)
        store_.RemoveItem(rows_.first());
    else if (!rows_.isEmpty())
        store_.RemoveRows(rows_);
    if (added_)
        addedRow_ = store_.AddItem(*added_);
}

void ListEdit::undo() {
    if (added_)
        store_.RemoveItem(addedRow_);
    if (!rows_.isEmpty())
        store_.InsertRows(rows_, removed_);
}

void Form1::BuildUndo() {
    undoStack = new QUndoStack(this);
    Undo->setShortcuts(QKeySequence::Undo);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    Redo->setShortcuts(redoKeys);
    Undo->setEnabled(false);
    Redo->setEnabled(false);
    connect(undoStack, &QUndoStack::canUndoChanged, Undo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::canRedoChanged, Redo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { dataChanged = !clean; });
}

void Form1::PushInsertion(const QString& line) {
    undoStack->push(new ListEdit(ExamList->Store(), QStringLiteral("Add exam"), {}, line));
}

void Form1::PushErasure() {
    undoStack->push(new ListEdit(ExamList->Store(), QStringLiteral("Erase exam(s)"),
                                 ExamList->Store().CheckedRows(), std::nullopt));
}

void Form1::ForgetListHistory() {
    changingRow = -1;
    undoStack->clear();
}

void Form1::MarkListSaved() { undoStack->setClean(); }

void Form1::Undo_Click() {
    undoStack->undo();
    FollowListChange();
}

void Form1::Redo_Click() {
    undoStack->redo();
    FollowListChange();
}

// The view on screen shows the list as it now is: figures and graphs are drawn again, and a change
// in progress in the entry panel is abandoned for the list.
void Form1::FollowListChange() {
    if (ExamList->ListCount() > 0)
        ShowExams->setEnabled(true);
    else
        EraseExams->setEnabled(false);
    if (graphShown)
        RedrawGraph();
    else if (!ExamList->isHidden())
        ExamList_ItemCheck(0);
    else if (!Text[0]->isHidden() && changingRow >= 0)
        ShowExams_Click();
    else if (!Text[0]->isHidden())
        Label[0]->SetCaption(QStringLiteral("Exam ") + Str(ExamList->ListCount() + 1));
    else if (!Label[2]->isHidden())
        ShowMainStats();
}

} // namespace examora
