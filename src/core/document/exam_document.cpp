#include "document/exam_document.h"

#include "records/record_line.h"

#include <QFileInfo>

namespace examora {
namespace {

QString NameOf(const QString& line) { return RecordParts(line).value(0); }

} // namespace

ExamDocument::ExamDocument(const QString& path) : keeper_(path) {}

void ExamDocument::SetPath(const QString& path) { keeper_.SetPath(path); }

QString ExamDocument::FileName() const { return QFileInfo(Path()).fileName(); }

ExamDocument::ReadResult ExamDocument::Read(const std::function<void(qint64, qint64)>& progress) {
    DataFileKeeper::ReadOutcome read = keeper_.Read(progress);
    ReadResult result{static_cast<ReadResult::Kind>(read.kind), read.error, read.byteCount};
    if (read.kind == DataFileKeeper::ReadOutcome::Done) {
        StartHistory();
        list_.ReplaceAllSorted(std::move(read.records));
    }
    return result;
}

ExamDocument::SaveResult ExamDocument::Save(const DataFileKeeper::DropQuestion& mayDrop) {
    DataFileKeeper::SaveOutcome saved = keeper_.Save(list_.Held(), list_.Changes(), mayDrop);
    SaveResult result{static_cast<SaveResult::Kind>(saved.kind), saved.error, saved.merged.has_value(),
                      saved.damaged, saved.conflicts};
    if (saved.kind != DataFileKeeper::SaveOutcome::Written)
        return result;
    if (saved.merged) {
        Edit merge{QStringLiteral("merge with ") + FileName(), {}, {}, std::nullopt};
        merge.aside = std::make_shared<LineStore>(std::move(*saved.merged));
        Push(std::move(merge));
    }
    list_.ForgetChanges();
    clean_ = done_;
    erasedNothing_ = false;
    return result;
}

void ExamDocument::StartHistory() {
    edits_.clear();
    done_ = 0;
    clean_ = 0;
    erasedNothing_ = false;
}

int ExamDocument::Insert(const QString& line) {
    return Push(Edit{QStringLiteral("add ") + NameOf(line), {}, {}, line});
}

int ExamDocument::EraseChecked() {
    const QList<int> rows = list_.CheckedRows();
    if (rows.isEmpty()) {
        erasedNothing_ = true;
        return 0;
    }
    const QString text = rows.size() == 1 ? QStringLiteral("erase ") + NameOf(list_.List(rows.first()))
                                          : QStringLiteral("erase %1 exams").arg(rows.size());
    Push(Edit{text, rows, {}, std::nullopt});
    return static_cast<int>(rows.size());
}

int ExamDocument::Change(int row, const QString& line) {
    if (row < 0 || row >= Count())
        return -1;
    if (list_.List(row) == line)
        return row;
    return Push(Edit{QStringLiteral("change ") + NameOf(list_.List(row)), {row}, {}, line});
}

// The count of steps done moves before the list does, so that whoever follows the list's changes
// reads the history as it is after them.
// A new step drops the steps that could be redone; a clean state among them can no longer be had.
int ExamDocument::Push(Edit edit) {
    edits_.resize(done_);
    if (clean_ && *clean_ > done_)
        clean_.reset();
    edits_.push_back(std::move(edit));
    ++done_;
    Apply(edits_.back());
    return edits_.back().addedRow;
}

void ExamDocument::Apply(Edit& edit) {
    if (edit.aside) {
        list_.SwapAll(*edit.aside);
        return;
    }
    edit.removed.clear();
    for (int row : std::as_const(edit.rows))
        edit.removed.append(list_.List(row));
    if (edit.rows.size() == 1)
        list_.RemoveItem(edit.rows.first());
    else if (!edit.rows.isEmpty())
        list_.RemoveRows(edit.rows);
    if (edit.added)
        edit.addedRow = list_.AddItem(*edit.added);
}

void ExamDocument::Revert(const Edit& edit) {
    if (edit.aside) {
        list_.SwapAll(*edit.aside);
        return;
    }
    if (edit.added)
        list_.RemoveItem(edit.addedRow);
    if (!edit.rows.isEmpty())
        list_.InsertRows(edit.rows, edit.removed);
}

QString ExamDocument::UndoText() const { return CanUndo() ? edits_[done_ - 1].text : QString(); }
QString ExamDocument::RedoText() const { return CanRedo() ? edits_[done_].text : QString(); }

int ExamDocument::Undo() {
    if (!CanUndo())
        return -1;
    const Edit& edit = edits_[--done_];
    Revert(edit);
    return edit.rows.isEmpty() ? -1 : edit.rows.first();
}

int ExamDocument::Redo() {
    if (!CanRedo())
        return -1;
    Edit& edit = edits_[done_++];
    Apply(edit);
    return edit.addedRow;
}

} // namespace examora
