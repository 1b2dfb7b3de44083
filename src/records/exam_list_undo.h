// One change of the list as an undoable command: some rows taken out, then at most one line put in
// at its sorted place. An insertion takes nothing out, an erasure puts nothing in, a change in place
// does both.
#pragma once

#include "records/exam_list_model.h"

#include <QUndoCommand>
#include <optional>

namespace examora {

class ListEdit : public QUndoCommand {
public:
    // rows: ascending rows of the store to take out.
    ListEdit(ExamListModel& store, const QString& text, QList<int> rows, std::optional<QString> added);

    void redo() override;
    void undo() override;
    // The row of the line put in, after redo; -1 when none.
    int AddedRow() const { return addedRow_; }

private:
    ExamListModel& store_;
    QList<int> rows_;
    QStringList removed_;
    std::optional<QString> added_;
    int addedRow_ = -1;
};

} // namespace examora
