#include "records/kept_lines.h"

#include "records/line_store.h"

#include <algorithm>
#include <array>

namespace examora {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five unused codes stay as they are.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The UTF-8 of each byte from 0x80 on: two bytes, or three for the characters from U+0800 on.
struct Utf8Of {
    std::array<char, 3> bytes;
    qsizetype size;
};

constexpr std::array<Utf8Of, 128> MakeHighBytes() {
    std::array<Utf8Of, 128> table{};
    for (int byte = 0x80; byte < 0x100; ++byte) {
        const char16_t code = byte < 0xA0 ? kWindows1252High[byte - 0x80] : static_cast<char16_t>(byte);
        Utf8Of& out = table[static_cast<std::size_t>(byte - 0x80)];
        if (code < 0x800)
            out = {{static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F)), 0}, 2};
        else
            out = {{static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (code & 0x3F))},
                   3};
    }
    return table;
}

constexpr std::array<Utf8Of, 128> kHighBytes = MakeHighBytes();

} // namespace

// Written straight into the buffer, sized first: a line of hundreds of megabytes is never held a
// second time, in UTF-16 or in a buffer that grows as it is filled.
void AppendWindows1252(QByteArray& utf8, QByteArrayView bytes) {
    qsizetype size = 0;
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        size += code < 0x80 ? 1 : kHighBytes[code - 0x80].size;
    }
    qsizetype at = utf8.size();
    utf8.resize(at + size);
    char* out = utf8.data() + at;
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) {
            *out++ = byte;
        } else {
            const Utf8Of& high = kHighBytes[code - 0x80];
            out = std::copy_n(high.bytes.data(), high.size, out);
        }
    }
}

KeptLines::KeptLines(const QStringList& lines) {
    for (const QString& line : lines)
        Append(line.toUtf8());
}

QStringList KeptLines::Lines() const {
    QStringList lines;
    lines.reserve(count_);
    for (qsizetype start = 0, end; (end = bytes_.indexOf('\n', start)) >= 0; start = end + 1)
        lines.append(TextOfUtf8(QByteArrayView(bytes_).sliced(start, end - 1 - start)));
    return lines;
}

void KeptLines::Append(QByteArrayView utf8) {
    bytes_.append(utf8).append("\r\n", 2);
    ++count_;
}

void KeptLines::AppendWindows1252(QByteArrayView bytes) {
    examora::AppendWindows1252(bytes_, bytes);
    bytes_.append("\r\n", 2);
    ++count_;
}

void KeptLines::AppendFileBytes(QByteArrayView lines) {
    bytes_.append(lines);
    count_ += std::count(lines.begin(), lines.end(), '\n');
}

} // namespace examora
