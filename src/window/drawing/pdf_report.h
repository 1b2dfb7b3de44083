// The printed report, on as many A4 pages as it needs: the title, the date and the mode, the
// figures of the statistics view and the graduation base, both graphs with their axes, then the
// honours, the figures of each year and the table of every exam in the list's order.
#pragma once

#include "stats/main_stats.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

namespace examora {

struct PdfReportContent {
    QStringList lines; // the held lines, in the list's order
    AverageMode mode = AverageMode::Academic;
    QString timeUnit; // of both graphs: "d", "m" or "yyyy"
    QDate today;
};

// The bytes of the PDF file.
QByteArray PdfReport(const PdfReportContent& content);

} // namespace examora
