// The store of records: the sorted lines of the exam list, each with its check mark. The list keeps
// its lines in alphabetical order of the whole line, ignoring case; lines that compare equal keep
// the order in which they came. It is also the model that the exam list box shows.
#pragma once

#include "records/line_order.h"
#include "records/line_store.h"

#include <QAbstractListModel>
#include <QStringList>
#include <vector>

namespace examora {

// The lines added to and erased from the list since it was last filled or marked unchanged, each
// as often as it went in or out.
struct LineChanges {
    QStringList added;
    QStringList erased;
};

class ExamListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Inserts the line at its sorted place, after the lines equal to it; returns its row.
    int AddItem(const QString& line);
    void RemoveItem(int i);
    void Clear();
    // Replaces every line at once, sorted, all unchecked; the held lines come read.
    void ReplaceAll(LineStore lines);
    // The same with lines already in the list's order.
    void ReplaceAllSorted(LineStore lines);
    void ReplaceAll(const QStringList& lines);
    // Exchanges the list's lines with the given ones (in the list's order), all unchecked. The
    // lines that differ count as added and erased: what makes the exchange one change to save.
    void SwapAll(LineStore& lines);
    // Removes every checked line in one pass; returns how many went.
    int RemoveSelected();
    // The rows of the checked lines, in order.
    QList<int> CheckedRows() const;
    // Removes the given rows (in ascending order) in one pass; the other lines keep their marks.
    void RemoveRows(const QList<int>& rows);
    // Puts lines back at the given rows of the list they make (ascending), unchecked: what undoes
    // a RemoveRows of the same rows.
    void InsertRows(const QList<int>& rows, const QStringList& lines);

    QString List(int i) const { return lines_.Line(i); }
    // The row of the first line equal to the given one, or -1.
    int Find(const QString& line) const;
    int ListCount() const { return static_cast<int>(lines_.Count()); }
    QStringList Lines() const { return lines_.Lines(); }
    const LineStore& Held() const { return lines_; }
    // What the figures and graphs read of each line, taken once as it came in.
    const std::vector<ExamReading>& Readings() const { return lines_.Readings(); }
    bool Selected(int i) const { return checked_.at(static_cast<std::size_t>(i)) != 0; }
    void SetSelected(int i, bool checked);
    int SelCount() const { return selCount_; }
    const LineChanges& Changes() const { return changes_; }
    void ForgetChanges() { changes_ = {}; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A line's check mark changed; the new mark is already in place.
    void ItemCheck(int row);

private:
    LineStore lines_;
    std::vector<char> checked_;
    int selCount_ = 0;
    LineChanges changes_;
};

} // namespace examora
