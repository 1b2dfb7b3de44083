#include "records/line_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

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

// The folded code units of one line, one after another: its ASCII bytes folded as they are read, or
// any other line's UTF-8 decoded and folded a character at a time, which folds as Qt folds a whole
// string. No copy of a line is made, so that sorting a large file takes little beside it.
class FoldedUnits {
public:
    FoldedUnits(QByteArrayView utf8, bool ascii)
        : at_(utf8.data()), end_(utf8.data() + utf8.size()), ascii_(ascii) {}
    bool AtEnd() const { return low_ == 0 && at_ == end_; }
    char16_t Next() {
        if (low_ != 0)
            return std::exchange(low_, char16_t{0});
        const auto lead = static_cast<unsigned char>(*at_++);
        if (ascii_ || lead < 0x80)
            return FoldAscii(lead);
        // The store holds valid UTF-8 only.
        const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        char32_t code = lead & (0x3F >> more);
        for (int i = 0; i < more && at_ != end_; ++i)
            code = code << 6 | (static_cast<unsigned char>(*at_++) & 0x3F);
        code = QChar::toCaseFolded(code);
        if (!QChar::requiresSurrogates(code))
            return static_cast<char16_t>(code);
        low_ = QChar::lowSurrogate(code);
        return QChar::highSurrogate(code);
    }

private:
    const char* at_;
    const char* end_;
    bool ascii_;
    char16_t low_ = 0; // the second half of a surrogate pair, still to come
};

// The whole lines in order, unit by unit, then the shorter first, then the one that came first.
bool UnitsBefore(FoldedUnits x, qint32 xRow, FoldedUnits y, qint32 yRow) {
    while (!x.AtEnd() && !y.AtEnd()) {
        const char16_t a = x.Next(), b = y.Next();
        if (a != b)
            return a < b;
    }
    return x.AtEnd() != y.AtEnd() ? x.AtEnd() : xRow < yRow;
}

// The same for two lines of ASCII, eight bytes at a time: each word's capitals are lowered at once
// (a byte from 'A' to 'Z' sets its high bit in one sum and not in the other), and the first byte
// that differs decides.
bool AsciiBefore(QByteArrayView x, qint32 xRow, QByteArrayView y, qint32 yRow) {
    constexpr quint64 kHigh = 0x8080808080808080u, kFromA = 0x3F3F3F3F3F3F3F3Fu, kPastZ = 0x2525252525252525u;
    const auto folded = [&](quint64 word) { return word | ((((word + kFromA) ^ (word + kPastZ)) & kHigh) >> 2); };
    const qsizetype common = std::min(x.size(), y.size());
    qsizetype at = 0;
    for (quint64 a, b; at + 8 <= common; at += 8) {
        std::memcpy(&a, x.data() + at, 8);
        std::memcpy(&b, y.data() + at, 8);
        if (a == b)
            continue;
        const quint64 differ = folded(a) ^ folded(b);
        if (differ == 0)
            continue;
        // The first byte in memory that differs: the lowest of the word on this processor's order.
        const int byte = std::endian::native == std::endian::little ? std::countr_zero(differ) / 8
                                                                     : std::countl_zero(differ) / 8;
        return FoldAscii(static_cast<quint8>(x[at + byte])) < FoldAscii(static_cast<quint8>(y[at + byte]));
    }
    for (; at < common; ++at) {
        const char16_t a = FoldAscii(static_cast<quint8>(x[at])), b = FoldAscii(static_cast<quint8>(y[at]));
        if (a != b)
            return a < b;
    }
    return x.size() != y.size() ? x.size() < y.size() : xRow < yRow;
}

// One line to sort: its first sixteen folded code units packed into two numbers (when each is below
// 256, padded with 0) so that most comparisons stop there, and its row. Comparing never allocates.
struct SortEntry {
    quint64 head = 0;
    quint64 tail = 0;
    qint32 row = 0;
    bool packed = true;
};

class Sorter {
public:
    explicit Sorter(const LineStore& lines) : lines_(lines) {}

    SortEntry EntryOf(qint32 row) const {
        SortEntry entry;
        entry.row = row;
        FoldedUnits units = UnitsOf(row);
        for (qsizetype i = 0; i < 16; ++i) {
            const char16_t u = units.AtEnd() ? char16_t{0} : units.Next();
            entry.packed = entry.packed && u < 256;
            quint64& part = i < 8 ? entry.head : entry.tail;
            part = (part << 8) | (u & 0xFF);
        }
        return entry;
    }

    bool operator()(const SortEntry& a, const SortEntry& b) const {
        if ((a.head != b.head || a.tail != b.tail) && a.packed && b.packed)
            return a.head != b.head ? a.head < b.head : a.tail < b.tail;
        return UnitsBefore(UnitsOf(a.row), a.row, UnitsOf(b.row), b.row);
    }

private:
    FoldedUnits UnitsOf(qint32 row) const { return {lines_.Utf8(row), lines_.IsAscii(row)}; }

    const LineStore& lines_;
};

// The order of lines that are all ASCII, without comparing most of them: their first twelve folded
// letters, packed into a key, are sorted a byte at a time (least significant first, each pass
// keeping the order of the one before, passes where every key has the same byte skipped); only the
// lines whose keys are equal are then compared whole, in runs that are short in any real list.
struct KeyedRow {
    quint64 head; // letters 1 to 8, the first in the highest byte; 0 past the line's end
    quint32 tail; // letters 9 to 12
    qint32 row;
};

std::vector<qint32> AsciiOrder(const LineStore& lines) {
    const auto count = static_cast<std::size_t>(lines.Count());
    std::vector<KeyedRow> keyed, spare;
    keyed.reserve(count);
    spare.reserve(count);
    spare.resize(count);
    constexpr int kKeyBytes = 12;
    std::vector<std::array<std::size_t, 256>> counts(kKeyBytes, std::array<std::size_t, 256>{});
    for (qint32 row = 0; row < lines.Count(); ++row) {
        const QByteArrayView text = lines.Utf8(row);
        quint64 head = 0;
        quint32 tail = 0;
        for (int i = 0; i < kKeyBytes; ++i) {
            const quint8 letter = i < text.size() ? static_cast<quint8>(FoldAscii(static_cast<quint8>(text[i]))) : 0;
            if (i < 8)
                head = head << 8 | letter;
            else
                tail = tail << 8 | letter;
            ++counts[static_cast<std::size_t>(kKeyBytes - 1 - i)][letter];
        }
        keyed.push_back(KeyedRow{head, tail, row});
    }
    // Byte b counts from the key's least significant: the tail's four, then the head's eight.
    auto byteOf = [](const KeyedRow& k, int b) {
        return static_cast<std::size_t>(b < 4 ? (k.tail >> (8 * b)) & 0xFF : (k.head >> (8 * (b - 4))) & 0xFF);
    };
    for (int b = 0; b < kKeyBytes && count > 1; ++b) {
        std::array<std::size_t, 256>& starts = counts[static_cast<std::size_t>(b)];
        if (starts[byteOf(keyed.front(), b)] == count)
            continue;
        std::size_t next = 0;
        for (std::size_t& start : starts)
            next += std::exchange(start, next);
        for (const KeyedRow& k : keyed)
            spare[starts[byteOf(k, b)]++] = k;
        keyed.swap(spare);
    }
    // Equal keys: the whole lines decide, then the order they came in.
    auto whole = [&lines](const KeyedRow& a, const KeyedRow& b) {
        return AsciiBefore(lines.Utf8(a.row), a.row, lines.Utf8(b.row), b.row);
    };
    for (auto run = keyed.begin(); run != keyed.end();) {
        const auto end = std::find_if(run, keyed.end(), [&run](const KeyedRow& k) {
            return k.head != run->head || k.tail != run->tail;
        });
        if (end - run > 1)
            std::sort(run, end, whole);
        run = end;
    }
    std::vector<qint32> order;
    order.reserve(count);
    for (const KeyedRow& k : keyed)
        order.push_back(k.row);
    return order;
}

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
    for (qint32 i = 1; i < lines.Count(); ++i) {
        const bool before = lines.IsAscii(i) && lines.IsAscii(i - 1)
                                ? AsciiBefore(lines.Utf8(i), i, lines.Utf8(i - 1), i - 1)
                                : UnitsBefore({lines.Utf8(i), lines.IsAscii(i)}, i,
                                              {lines.Utf8(i - 1), lines.IsAscii(i - 1)}, i - 1);
        if (before)
            return false;
    }
    return true;
}

std::vector<qint32> SortedOrder(const LineStore& lines) {
    bool ascii = true;
    for (qsizetype row = 0; row < lines.Count() && ascii; ++row)
        ascii = lines.IsAscii(row);
    if (ascii)
        return AsciiOrder(lines);
    const Sorter sorter(lines);
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(lines.Count()));
    for (qint32 row = 0; row < lines.Count(); ++row)
        entries.push_back(sorter.EntryOf(row));
    std::sort(entries.begin(), entries.end(), std::cref(sorter));
    std::vector<qint32> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(entry.row);
    return order;
}

} // namespace examora
