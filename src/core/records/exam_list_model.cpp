#include "records/exam_list_model.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace examora {

int ExamListModel::AddItem(const QString& line) {
    // After the lines equal to it: the first row whose line sorts after it.
    int low = 0, high = ListCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (SortsBefore(line, List(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    beginInsertRows({}, low, low);
    lines_.Insert(low, line);
    checked_.insert(checked_.begin() + low, 0);
    changes_.added.append(line);
    endInsertRows();
    return low;
}

int ExamListModel::Find(const QString& line) const {
    const QByteArray utf8 = line.toUtf8();
    for (qsizetype i = 0; i < lines_.Count(); ++i)
        if (lines_.Utf8(i) == QByteArrayView(utf8))
            return static_cast<int>(i);
    return -1;
}

void ExamListModel::RemoveItem(int i) {
    if (i < 0 || i >= ListCount())
        return;
    beginRemoveRows({}, i, i);
    selCount_ -= checked_[static_cast<std::size_t>(i)];
    changes_.erased.append(List(i));
    lines_.Erase(i);
    checked_.erase(checked_.begin() + i);
    endRemoveRows();
}

void ExamListModel::Clear() { ReplaceAll(LineStore()); }

void ExamListModel::ReplaceAll(const QStringList& lines) {
    LineStore held(lines);
    held.ReadAll();
    ReplaceAll(std::move(held));
}

void ExamListModel::ReplaceAll(LineStore lines) {
    if (!InOrder(lines))
        lines.Permute(SortedOrder(lines));
    ReplaceAllSorted(std::move(lines));
}

void ExamListModel::ReplaceAllSorted(LineStore lines) {
    beginResetModel();
    lines_ = std::move(lines);
    checked_.assign(static_cast<std::size_t>(lines_.Count()), 0);
    selCount_ = 0;
    changes_ = {};
    endResetModel();
}

void ExamListModel::SwapAll(LineStore& lines) {
    QHash<QString, int> count; // held now less held after
    for (qsizetype i = 0; i < lines_.Count(); ++i)
        ++count[lines_.Line(i)];
    for (qsizetype i = 0; i < lines.Count(); ++i)
        --count[lines.Line(i)];
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        for (int n = it.value(); n != 0; n += n > 0 ? -1 : 1)
            (n > 0 ? changes_.erased : changes_.added).append(it.key());
    beginResetModel();
    std::swap(lines_, lines);
    checked_.assign(static_cast<std::size_t>(lines_.Count()), 0);
    selCount_ = 0;
    endResetModel();
}

int ExamListModel::RemoveSelected() {
    const int removed = selCount_;
    if (removed > 0)
        RemoveRows(CheckedRows());
    return removed;
}

QList<int> ExamListModel::CheckedRows() const {
    QList<int> rows;
    rows.reserve(selCount_);
    for (int i = 0; i < ListCount(); ++i)
        if (Selected(i))
            rows.append(i);
    return rows;
}

void ExamListModel::RemoveRows(const QList<int>& rows) {
    std::vector<char> keep(checked_.size(), 1);
    for (const int row : rows) {
        keep[static_cast<std::size_t>(row)] = 0;
        selCount_ -= checked_[static_cast<std::size_t>(row)];
        changes_.erased.append(List(row));
    }
    beginResetModel();
    lines_.Keep(keep);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < checked_.size(); ++i)
        if (keep[i])
            checked_[kept++] = checked_[i];
    checked_.resize(kept);
    endResetModel();
}

void ExamListModel::InsertRows(const QList<int>& rows, const QStringList& lines) {
    beginResetModel();
    lines_.InsertRows(rows, lines);
    std::vector<char> checks(static_cast<std::size_t>(lines_.Count()), 1);
    for (const int row : rows)
        checks[static_cast<std::size_t>(row)] = 0;
    std::size_t old = 0;
    for (char& check : checks)
        check = check ? checked_[old++] : 0;
    checked_ = std::move(checks);
    changes_.added.append(lines);
    endResetModel();
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
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        // A line too long for any screen is shown cut, so that laying it out takes no time; the
        // store keeps it whole.
        // Only the start of a long line is decoded: no code unit takes more than 3 bytes of UTF-8,
        // so 4 bytes a unit are enough even where the last character is cut.
        constexpr qsizetype kShownLength = 1000;
        const QByteArrayView bytes = lines_.Utf8(index.row());
        const QString line = TextOfUtf8(bytes.first(std::min(bytes.size(), 4 * kShownLength)));
        if (line.size() > kShownLength)
            return QStringView(line).first(kShownLength).toString() + QChar(0x2026);
        return line;
    }
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
