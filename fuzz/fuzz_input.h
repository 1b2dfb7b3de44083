// What every fuzz target does with its bytes: the first byte pins the locale (the American one or a
// day-first one) and how the rest is read as text; a broken property aborts, which the fuzzer
// reports as a crash with the input that caused it.
#pragma once

#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace examora::fuzz {

struct Input {
    QString text;        // the bytes after the first, as text
    const uint8_t* rest; // the same bytes, raw
    size_t restSize;
};

// 0: en_US (month first, '.' decimal), 1: it_IT (day first, '/' and ','), 2: de_DE (day first, '.').
inline void PinLocale(uint8_t selector) {
    static const QLocale locales[3] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                       QLocale(QLocale::Italian, QLocale::Italy),
                                       QLocale(QLocale::German, QLocale::Germany)};
    QLocale::setDefault(locales[selector % 3]);
}

// Bit 7 of the first byte reads the rest as UTF-16 code units (lone surrogates included) instead of
// UTF-8, so that every text a line edit could hold is reachable.
inline Input TakeInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        PinLocale(0);
        return {QString(), data, 0};
    }
    PinLocale(data[0] & 0x7F);
    const auto* rest = data + 1;
    const size_t restSize = size - 1;
    const auto* chars = reinterpret_cast<const char*>(rest);
    if (data[0] & 0x80) {
        QString text(static_cast<qsizetype>(restSize / 2), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(static_cast<char16_t>(rest[2 * i] | (rest[2 * i + 1] << 8)));
        return {text, rest, restSize};
    }
    return {QString::fromUtf8(chars, static_cast<qsizetype>(restSize)), rest, restSize};
}

// Stops the run with the broken property; the fuzzer keeps the input as a crash.
[[noreturn]] inline void Broken(const char* property, const QString& detail) {
    std::fprintf(stderr, "broken property: %s\n  %s\n", property, detail.toUtf8().constData());
    std::abort();
}

} // namespace examora::fuzz
