#include "records/line_order.h"

#include "records/work_aside.h"

#include <algorithm>

namespace examora {

namespace {

// What the order compares: the line with letter case folded away, code unit by code unit. Lines are
// nearly always plain ASCII, where folding is lowering A to Z and the UTF-8 bytes are the code
// units; Qt's own folding costs a table look-up per letter, so it is kept for the other lines.
char16_t FoldAscii(char16_t u) { return (u >= u'A' && u <= u'Z') ? static_cast<char16_t>(u + 32) : u; }

QString SortKey(const QString& line) {
    for (const QChar c : line)
        if (c.unicode() >= 0x80)
            return line.toCaseFolded();
    QString key(line.size(), Qt::Uninitialized);
    std::transform(line.cbegin(), line.cend(), key.begin(),
                   [](QChar c) { return QChar(FoldAscii(c.unicode())); });
    return key;
}

// The folded code units of one line: its ASCII bytes where they lie, folded as they are read, or a
// folded copy of any other line.
struct Units {
    const char* ascii = nullptr;
    const QChar* folded = nullptr;
    qsizetype size = 0;
    char16_t operator[](qsizetype i) const {
        return ascii ? FoldAscii(static_cast<unsigned char>(ascii[i])) : folded[i].unicode();
    }
};

// One line to sort: its first sixteen folded code units packed into two numbers (when each is below
// 256, padded with 0) so that most comparisons stop there, its row, and which folded copy it has,
// if any. Comparing never allocates.
struct SortEntry {
    quint64 head = 0;
    quint64 tail = 0;
    qint32 row = 0;
    qint32 copy = -1;
};

class Sorter {
public:
    explicit Sorter(const LineStore& lines) : lines_(lines) {}

    SortEntry EntryOf(qint32 row) {
        SortEntry entry;
        entry.row = row;
        if (!lines_.IsAscii(row)) {
            entry.copy = static_cast<qint32>(copies_.size());
            copies_.push_back(lines_.Line(row).toCaseFolded());
        }
        const Units units = UnitsOf(entry);
        bool packed = true;
        for (qsizetype i = 0; i < 16; ++i) {
            const char16_t u = i < units.size ? units[i] : char16_t{0};
            packed = packed && u < 256;
            quint64& part = i < 8 ? entry.head : entry.tail;
            part = (part << 8) | (u & 0xFF);
        }
        if (!packed)
            unpacked_.push_back(entry.copy);
        return entry;
    }

    bool operator()(const SortEntry& a, const SortEntry& b) const {
        if ((a.head != b.head || a.tail != b.tail) && Packed(a) && Packed(b))
            return a.head != b.head ? a.head < b.head : a.tail < b.tail;
        const Units x = UnitsOf(a), y = UnitsOf(b);
        const qsizetype n = std::min(x.size, y.size);
        for (qsizetype i = 0; i < n; ++i)
            if (x[i] != y[i])
                return x[i] < y[i];
        return x.size != y.size ? x.size < y.size : a.row < b.row;
    }

private:
    Units UnitsOf(const SortEntry& entry) const {
        if (entry.copy >= 0) {
            const QString& copy = copies_[static_cast<std::size_t>(entry.copy)];
            return {nullptr, copy.constData(), copy.size()};
        }
        const QByteArrayView bytes = lines_.Utf8(entry.row);
        return {bytes.data(), nullptr, bytes.size()};
    }
    // Only a folded copy can hold code units above 255; the few that do are listed, in order.
    bool Packed(const SortEntry& entry) const {
        return entry.copy < 0 || !std::binary_search(unpacked_.cbegin(), unpacked_.cend(), entry.copy);
    }

    const LineStore& lines_;
    std::vector<QString> copies_;
    std::vector<qint32> unpacked_;
};

} // namespace

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

bool InOrder(const LineStore& lines) {
    for (qsizetype i = 1; i < lines.Count(); ++i) {
        const QByteArrayView a = lines.Utf8(i - 1), b = lines.Utf8(i);
        // Byte by byte while both are ASCII, as SortsBefore goes letter by letter.
        bool decided = false;
        for (qsizetype k = 0; k < std::min(a.size(), b.size()) && !decided; ++k) {
            const auto x = static_cast<unsigned char>(a[k]), y = static_cast<unsigned char>(b[k]);
            if (x >= 0x80 || y >= 0x80) {
                if (SortsBefore(lines.Line(i), lines.Line(i - 1)))
                    return false;
                decided = true;
            } else if (FoldAscii(x) != FoldAscii(y)) {
                if (FoldAscii(y) < FoldAscii(x))
                    return false;
                decided = true;
            }
        }
        if (!decided && b.size() < a.size())
            return false;
    }
    return true;
}

std::vector<qint32> SortedOrder(const LineStore& lines) {
    Sorter sorter(lines);
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(lines.Count()));
    AdviseLargePages(entries.data(), entries.capacity() * sizeof(SortEntry));
    for (qint32 row = 0; row < lines.Count(); ++row)
        entries.push_back(sorter.EntryOf(row));
    std::vector<qint32> order;
    order.reserve(entries.size());
    AdviseLargePages(order.data(), order.capacity() * sizeof(qint32));
    // A long list is sorted in two halves at once, the first aside, then merged; the sorter is only
    // read meanwhile.
    const auto middle = entries.begin() + static_cast<std::ptrdiff_t>(entries.size() / 2);
    if (entries.size() < 65536) {
        std::sort(entries.begin(), entries.end(), std::cref(sorter));
        for (const SortEntry& entry : entries)
            order.push_back(entry.row);
        return order;
    }
    {
        WorkAside first([&] { std::sort(entries.begin(), middle, std::cref(sorter)); });
        std::sort(middle, entries.end(), std::cref(sorter));
    }
    std::vector<SortEntry>::const_iterator a = entries.cbegin(), b = middle;
    while (a != middle || b != entries.cend())
        order.push_back((b == entries.cend() || (a != middle && !sorter(*b, *a)) ? *a++ : *b++).row);
    return order;
}

} // namespace examora
