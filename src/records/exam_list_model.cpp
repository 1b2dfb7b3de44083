#include "records/exam_list_model.h"

#include <algorithm>
#include <numeric>

namespace examora {

bool SortsBefore(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

void ExamListModel::AddItem(const QString& line) {
    const auto place = std::upper_bound(lines_.cbegin(), lines_.cend(), line, SortsBefore);
    const int row = static_cast<int>(place - lines_.cbegin());
    beginInsertRows({}, row, row);
    lines_.insert(row, line);
    checked_.insert(checked_.begin() + row, 0);
    endInsertRows();
}

void ExamListModel::RemoveItem(int i) {
    if (i < 0 || i >= ListCount())
        return;
    beginRemoveRows({}, i, i);
    selCount_ -= checked_[static_cast<std::size_t>(i)];
    lines_.removeAt(i);
    checked_.erase(checked_.begin() + i);
    endRemoveRows();
}

void ExamListModel::Clear() { ReplaceAll({}); }

void ExamListModel::ReplaceAll(QStringList lines) {
    // Sorting an index keeps the comparisons on the strings and moves only integers.
    std::vector<qsizetype> order(static_cast<std::size_t>(lines.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&lines](qsizetype a, qsizetype b) { return SortsBefore(lines.at(a), lines.at(b)); });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (qsizetype i : order)
        sorted.append(std::move(lines[i]));
    beginResetModel();
    lines_ = std::move(sorted);
    checked_.assign(static_cast<std::size_t>(lines_.size()), 0);
    selCount_ = 0;
    endResetModel();
}

int ExamListModel::RemoveSelected() {
    if (selCount_ == 0)
        return 0;
    QStringList kept;
    kept.reserve(lines_.size() - selCount_);
    for (qsizetype i = 0; i < lines_.size(); ++i)
        if (!checked_[static_cast<std::size_t>(i)])
            kept.append(lines_.at(i));
    const int removed = selCount_;
    beginResetModel();
    lines_ = std::move(kept);
    checked_.assign(static_cast<std::size_t>(lines_.size()), 0);
    selCount_ = 0;
    endResetModel();
    return removed;
}

void ExamListModel::SetSelected(int i, bool checked) {
    if (i < 0 || i >= ListCount() || Selected(i) == checked)
        return;
    checked_[static_cast<std::size_t>(i)] = checked ? 1 : 0;
    selCount_ += checked ? 1 : -1;
    const QModelIndex changed = index(i);
    emit dataChanged(changed, changed, {Qt::CheckStateRole});
    emit ItemCheck(i);
}

int ExamListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ListCount(); }

QVariant ExamListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= ListCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return lines_.at(index.row());
    if (role == Qt::CheckStateRole)
        return Selected(index.row()) ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ExamListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    SetSelected(index.row(), static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked);
    return true;
}

Qt::ItemFlags ExamListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

} // namespace examora
