// The two contents that the save loop writes in turn: 200,000 record lines each, different in
// every line and in length, so that any mixture or cut of them is told apart from either.
#pragma once

#include <QByteArray>

namespace examora::testing {

inline constexpr int kSaveLoopLines = 200000;

inline QByteArray SaveLoopContent(int version) {
    QByteArray bytes;
    bytes.reserve(kSaveLoopLines * 40);
    const QByteArray tail =
        version == 0 ? QByteArrayLiteral(";12/6/2006;27;9\r\n") : QByteArrayLiteral(";6/12/2026;30;12\r\n");
    for (int i = 0; i < kSaveLoopLines; ++i) {
        bytes += version == 0 ? "Exam " : "Course ";
        bytes += QByteArray::number(i);
        bytes += tail;
    }
    return bytes;
}

} // namespace examora::testing
