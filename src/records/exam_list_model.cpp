#include "records/exam_list_model.h"

#include <algorithm>
#include <string>
#include <utility>

namespace examora {

namespace {

// What the order compares: the line with letter case folded away, code unit by code unit. Lines are
// nearly always plain ASCII, where folding is lowering A to Z; Qt's own folding costs a table
// look-up per letter, so it is kept for the other lines. The key is the same either way.
bool IsAscii(const QString& line) {
    for (const QChar c : line)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

char16_t FoldAscii(char16_t u) { return (u >= u'A' && u <= u'Z') ? static_cast<char16_t>(u + 32) : u; }

QString SortKey(const QString& line) {
    if (!IsAscii(line))
        return line.toCaseFolded();
    QString key(line.size(), Qt::Uninitialized);
    std::transform(line.cbegin(), line.cend(), key.begin(),
                   [](QChar c) { return QChar(FoldAscii(c.unicode())); });
    return key;
}

// One line to sort: its text folded as it is compared (an ASCII line is read in place and folded
// letter by letter; any other is folded once into a copy), and its first sixteen code units folded
// and packed into two numbers (when each is below 256, padded with 0) so that most comparisons stop
// there. Comparing never allocates.
struct SortEntry {
    quint64 head = 0;
    quint64 tail = 0;
    const QChar* text = nullptr;
    qint32 size = 0;
    qint32 index = 0;
    bool packed = true;
};

SortEntry EntryOf(const QString& line, qint32 index, std::vector<QString>& foldedCopies) {
    SortEntry entry;
    entry.index = index;
    if (IsAscii(line)) {
        entry.text = line.constData();
        entry.size = static_cast<qint32>(line.size());
    } else {
        // Moving a copy into the vector keeps its text where it is.
        foldedCopies.push_back(line.toCaseFolded());
        entry.text = foldedCopies.back().constData();
        entry.size = static_cast<qint32>(foldedCopies.back().size());
    }
    for (qint32 i = 0; i < 16; ++i) {
        const char16_t u = i < entry.size ? FoldAscii(entry.text[i].unicode()) : char16_t{0};
        entry.packed = entry.packed && u < 256;
        quint64& part = i < 8 ? entry.head : entry.tail;
        part = (part << 8) | (u & 0xFF);
    }
    return entry;
}

bool EntryBefore(const SortEntry& a, const SortEntry& b) {
    if (a.packed && b.packed && (a.head != b.head || a.tail != b.tail))
        return a.head != b.head ? a.head < b.head : a.tail < b.tail;
    const qint32 n = std::min(a.size, b.size);
    for (qint32 i = 0; i < n; ++i) {
        const char16_t x = FoldAscii(a.text[i].unicode()), y = FoldAscii(b.text[i].unicode());
        if (x != y)
            return x < y;
    }
    return a.size != b.size ? a.size < b.size : a.index < b.index;
}

} // namespace

std::vector<qint32> SortedOrder(const QStringList& lines) {
    std::vector<QString> foldedCopies;
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        entries.push_back(EntryOf(lines.at(i), static_cast<qint32>(i), foldedCopies));
    std::sort(entries.begin(), entries.end(), EntryBefore);
    std::vector<qint32> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(entry.index);
    return order;
}

void SortLines(QStringList& lines) {
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const qint32 i : SortedOrder(lines))
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

bool SortsBefore(const QString& a, const QString& b) {
    // Folded letter by letter while both lines are ASCII, so that no key is built; the first other
    // letter hands over to the whole keys.
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= 0x80 || y >= 0x80)
            return SortKey(a) < SortKey(b);
        if (FoldAscii(x) != FoldAscii(y))
            return FoldAscii(x) < FoldAscii(y);
    }
    // One line is the start of the other: folding never shortens the rest of the longer one.
    return a.size() < b.size();
}

int ExamListModel::AddItem(const QString& line) {
    const auto place = std::upper_bound(lines_.cbegin(), lines_.cend(), line, SortsBefore);
    const int row = static_cast<int>(place - lines_.cbegin());
    beginInsertRows({}, row, row);
    lines_.insert(row, line);
    readings_.insert(readings_.begin() + row, ReadExam(line).value_or(ExamReading{}));
    checked_.insert(checked_.begin() + row, 0);
    changes_.added.append(line);
    endInsertRows();
    return row;
}

void ExamListModel::RemoveItem(int i) {
    if (i < 0 || i >= ListCount())
        return;
    beginRemoveRows({}, i, i);
    selCount_ -= checked_[static_cast<std::size_t>(i)];
    changes_.erased.append(lines_.at(i));
    lines_.removeAt(i);
    readings_.erase(readings_.begin() + i);
    checked_.erase(checked_.begin() + i);
    endRemoveRows();
}

void ExamListModel::Clear() { ReplaceAll({}); }

void ExamListModel::ReplaceAll(QStringList lines, std::vector<ExamReading> readings) {
    if (readings.size() != static_cast<std::size_t>(lines.size())) {
        readings.clear();
        readings.reserve(static_cast<std::size_t>(lines.size()));
        for (const QString& line : std::as_const(lines))
            readings.push_back(ReadExam(line).value_or(ExamReading{}));
    }
    // A data file that the program wrote is in order already.
    bool inOrder = true;
    for (qsizetype i = 1; i < lines.size() && inOrder; ++i)
        inOrder = !SortsBefore(lines.at(i), lines.at(i - 1));
    if (!inOrder) {
        QStringList sortedLines;
        std::vector<ExamReading> sortedReadings;
        sortedLines.reserve(lines.size());
        sortedReadings.reserve(readings.size());
        for (const qint32 i : SortedOrder(lines)) {
            sortedLines.append(std::move(lines[i]));
            sortedReadings.push_back(readings[static_cast<std::size_t>(i)]);
        }
        lines = std::move(sortedLines);
        readings = std::move(sortedReadings);
    }
    beginResetModel();
    lines_ = std::move(lines);
    readings_ = std::move(readings);
    checked_.assign(static_cast<std::size_t>(lines_.size()), 0);
    selCount_ = 0;
    changes_ = {};
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
    QStringList kept;
    std::vector<ExamReading> keptReadings;
    std::vector<char> keptChecks;
    kept.reserve(lines_.size());
    keptReadings.reserve(readings_.size());
    keptChecks.reserve(checked_.size());
    qsizetype next = 0;
    for (int i = 0; i < ListCount(); ++i) {
        if (next < rows.size() && rows.at(next) == i) {
            ++next;
            selCount_ -= checked_[static_cast<std::size_t>(i)];
            changes_.erased.append(lines_.at(i));
            continue;
        }
        kept.append(lines_.at(i));
        keptReadings.push_back(readings_[static_cast<std::size_t>(i)]);
        keptChecks.push_back(checked_[static_cast<std::size_t>(i)]);
    }
    beginResetModel();
    lines_ = std::move(kept);
    readings_ = std::move(keptReadings);
    checked_ = std::move(keptChecks);
    endResetModel();
}

void ExamListModel::InsertRows(const QList<int>& rows, const QStringList& lines) {
    QStringList merged;
    std::vector<ExamReading> mergedReadings;
    std::vector<char> mergedChecks;
    const qsizetype total = lines_.size() + lines.size();
    merged.reserve(total);
    mergedReadings.reserve(static_cast<std::size_t>(total));
    mergedChecks.reserve(static_cast<std::size_t>(total));
    qsizetype next = 0, old = 0;
    for (qsizetype i = 0; i < total; ++i) {
        const bool inserted = next < rows.size() && (rows.at(next) == i || old >= lines_.size());
        if (inserted) {
            merged.append(lines.at(next));
            mergedReadings.push_back(ReadExam(lines.at(next)).value_or(ExamReading{}));
            mergedChecks.push_back(0);
            changes_.added.append(lines.at(next++));
        } else {
            merged.append(lines_.at(old));
            mergedReadings.push_back(readings_[static_cast<std::size_t>(old)]);
            mergedChecks.push_back(checked_[static_cast<std::size_t>(old++)]);
        }
    }
    beginResetModel();
    lines_ = std::move(merged);
    readings_ = std::move(mergedReadings);
    checked_ = std::move(mergedChecks);
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
        constexpr qsizetype kShownLength = 1000;
        const QString& line = lines_.at(index.row());
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
