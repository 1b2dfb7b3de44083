// The printed report: one A4 page with the title, the date, the four figures of the statistics view
// and both graphs, drawn as on screen.
#pragma once

#include "stats/main_stats.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

namespace examora {

struct PdfReportContent {
    QStringList lines; // the held records
    AverageMode mode = AverageMode::Academic;
    QString timeUnit; // of both graphs: "d", "m" or "yyyy"
    QDate today;
};

// The bytes of the PDF file.
QByteArray PdfReport(const PdfReportContent& content);

} // namespace examora
