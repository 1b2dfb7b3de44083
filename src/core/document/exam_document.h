// The record the window shows: the list of exams with their check marks, the data file's keeper,
// the undo history of the list and the file's path. It is the one place that says whether there
// are unsaved changes: the history's clean state, cleared by a read or a save, and set by an
// erasure that found nothing to erase. Every change of the list goes through it, as one step that
// can be undone.
#pragma once

#include "datafile/data_file_keeper.h"
#include "records/exam_list_model.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace examora {

class ExamDocument {
public:
    explicit ExamDocument(const QString& path);

    // Keeps the records in the given file; the list keeps what it holds.
    void SetPath(const QString& path);
    const QString& Path() const { return keeper_.Path(); }
    // The file's name as messages show it.
    QString FileName() const;

    // The exams, each with its check mark: what the list box shows.
    ExamListModel& List() { return list_; }
    const ExamListModel& List() const { return list_; }
    int Count() const { return list_.ListCount(); }
    // The lines of the last read or merge that are not records, in file order.
    const KeptLines& Kept() const { return keeper_.Kept(); }

    struct ReadResult {
        enum Kind { Missing, Failed, Done } kind = Missing;
        QString error;           // the platform's description, for Missing and Failed
        qsizetype byteCount = 0; // of the file read
    };
    // Reads the file afresh. Done replaces the exams and starts a new history with nothing unsaved;
    // a failure leaves everything as it was. progress: see DataFileKeeper::Read.
    ReadResult Read(const std::function<void(qint64, qint64)>& progress = {});

    struct SaveResult {
        enum Kind { Written, NotRead, Failed } kind = Written;
        QString error;
        bool merged = false;   // another program had changed the file: the list now holds the merge
        bool damaged = false;  // its file was found emptied or cut short: nothing it lacked was erased
        QStringList conflicts; // names of exams changed both here and there: both versions kept
    };
    // Writes the exams and the kept lines; nothing is unsaved after a save that wrote. mayDrop is
    // asked before a merge leaves out exams held here (see DataFileKeeper::Save). A merge is one
    // step of the history: undone, the list is again what it was before the save.
    SaveResult Save(const DataFileKeeper::DropQuestion& mayDrop = {});

    // The changes of the list, each one step of the history. Insert and Change return the row of
    // the line put in.
    int Insert(const QString& line);
    // Erases the checked exams; returns how many went. Counts as a change even when none went.
    int EraseChecked();
    int Change(int row, const QString& line);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < edits_.size(); }
    // What the next undo or redo would do, in words ("add Gamma", "erase 2 exams"); empty if none.
    QString UndoText() const;
    QString RedoText() const;
    // Return the row of the line the step put in or put back, or -1.
    int Undo();
    int Redo();

    bool Unsaved() const { return erasedNothing_ || clean_ != done_; }

private:
    // Some rows taken out, then at most one line put in at its sorted place: an insertion takes
    // nothing out, an erasure puts nothing in, a change does both. A merge exchanges the whole list
    // with the one it keeps aside.
    struct Edit {
        QString text;
        QList<int> rows; // ascending
        QStringList removed;
        std::optional<QString> added;
        int addedRow = -1;
        std::shared_ptr<LineStore> aside = nullptr;
    };
    int Push(Edit edit);
    void Apply(Edit& edit);
    void Revert(const Edit& edit);
    void StartHistory();

    ExamListModel list_;
    DataFileKeeper keeper_;
    std::vector<Edit> edits_;
    std::size_t done_ = 0;                 // edits_ before this are applied
    std::optional<std::size_t> clean_ = 0; // done_ as it was at the last read or save, if reachable
    bool erasedNothing_ = false;
};

} // namespace examora
