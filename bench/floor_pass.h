// The floor of reading the statistics' fields: one pass over a line's characters that finds the
// four fields, reads the date's three numbers and the mark and credit value, and sums them, without
// allocating. The program's figures are measured beside it.
#pragma once

#include <climits>
#include <cstring>

namespace examora::bench {

struct FloorFigures {
    int count = 0, firstYear = INT_MAX, lastYear = INT_MIN, passedMarks = 0, passedProducts = 0;
    double credits = 0, marks = 0, weighted = 0, passedMarkSum = 0, passedCredits = 0, passedWeighted = 0;
};

template <typename Char> double FloorNumber(const Char* at, const Char* end) {
    double whole = 0, scale = 0;
    for (; at < end; ++at) {
        if (*at == '.' && scale == 0)
            scale = 1;
        else if (*at >= '0' && *at <= '9')
            whole = whole * 10 + (*at - '0'), scale *= 10;
        else
            break;
    }
    return scale > 1 ? whole / scale : whole;
}

// Adds one line "name;M/D/YYYY;mark;credits"; false, adding nothing, when it is not a record.
template <typename Char> bool AddFloorLine(const Char* begin, const Char* end, FloorFigures& figures) {
    const Char* field[4] = {begin, nullptr, nullptr, nullptr};
    int fields = 1;
    for (const Char* at = begin; at < end; ++at)
        if (*at == ';') {
            if (fields == 4)
                return false;
            field[fields++] = at + 1;
        }
    if (fields != 4)
        return false;
    int date[3] = {0, 0, 0}, part = 0;
    for (const Char* at = field[1]; at + 1 < field[2]; ++at) {
        if (*at == '/' && part < 2)
            ++part;
        else if (*at >= '0' && *at <= '9')
            date[part] = date[part] * 10 + (*at - '0');
        else
            return false;
    }
    if (part != 2 || date[0] < 1 || date[0] > 12 || date[1] < 1 || date[1] > 31)
        return false;
    const double mark = FloorNumber(field[2], field[3] - 1), credits = FloorNumber(field[3], end);
    ++figures.count;
    figures.firstYear = date[2] < figures.firstYear ? date[2] : figures.firstYear;
    figures.lastYear = date[2] > figures.lastYear ? date[2] : figures.lastYear;
    figures.credits += credits;
    figures.marks += mark;
    figures.weighted += mark * credits;
    if (mark > 0)
        ++figures.passedMarks, figures.passedMarkSum += mark;
    if (mark * credits != 0)
        ++figures.passedProducts, figures.passedCredits += credits, figures.passedWeighted += mark * credits;
    return true;
}

// Every line of a file's bytes, up to LF and without the CR before it.
inline FloorFigures FloorOfBytes(const char* bytes, long long size) {
    FloorFigures figures;
    const char* end = bytes + size;
    for (const char* line = bytes; line < end;) {
        const char* stop =
            static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        stop = stop ? stop : end;
        AddFloorLine(line, stop > line && stop[-1] == '\r' ? stop - 1 : stop, figures);
        line = stop + 1;
    }
    return figures;
}

} // namespace examora::bench
