#include "window/drawing/pdf_report.h"

#include "graphs/graph_frame.h"
#include "records/conversions.h"
#include "window/drawing/graph_painting.h"
#include "window/widgets/surface.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace examora {
namespace {

constexpr int kDotsPerInch = 150;
const QColor kWhite(255, 255, 255);
// The colours of the statistics view's read-outs and of the graphs on screen.
const QColor kRowColours[4] = {QColor(64, 0, 0), QColor(0, 64, 0), QColor(0, 0, 64), QColor(64, 0, 64)};

struct GraphLook {
    PlottedValue value;
    const char* title;
    QColor background, fill;
};
const GraphLook kGraphs[2] = {
    {PlottedValue::Mark, "Marks VS Time", QColor(0, 64, 0), QColor(255, 255, 0)},
    {PlottedValue::MarkTimesCredits, "Marks x Credits VS Time", QColor(0, 0, 64), QColor(0, 0, 255)}};

QFont ReportFont(double points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString UnitName(const QString& timeUnit) {
    if (timeUnit == kDays)
        return QStringLiteral("days");
    return timeUnit == kMonths ? QStringLiteral("months") : QStringLiteral("years");
}

// Draws the text and returns the height it took.
int DrawText(QPainter& painter, const QRect& area, const QString& text, const QFont& font) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect used = painter.boundingRect(area, Qt::AlignLeft | Qt::AlignTop, text);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
    return used.height();
}

void DrawFigures(QPainter& painter, const QRect& area, const PdfReportContent& content) {
    const MainStatsCaptions captions = CaptionsOf(ComputeMainStats(content.lines, content.mode));
    const QString texts[4] = {captions.exams, captions.overall, captions.average, captions.credits};
    const int gap = area.width() / 40, width = (area.width() - 3 * gap) / 4;
    for (int i = 0; i < 4; ++i) {
        const QRect box(area.left() + i * (width + gap), area.top(), width, area.height());
        painter.fillRect(box, kRowColours[i]);
        painter.setPen(kWhite);
        QString text = texts[i];
        text.replace(kCarriageReturn, QChar(10));
        // Each line of a figure stays whole: a long one ("Speed : 2857.1 / year") takes smaller type.
        QFont font = ReportFont(11, true);
        const QStringList lines = text.split(QChar(10));
        auto widest = [&] {
            const QFontMetricsF metrics(font, painter.device());
            qreal most = 0;
            for (const QString& line : lines)
                most = std::max(most, metrics.horizontalAdvance(line));
            return most;
        };
        while (font.pointSizeF() > 6 && widest() > box.width() * 0.94)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        painter.setFont(font);
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

// The graph is drawn by the window's own drawing code on a surface the size of the page's area.
void DrawGraph(QPainter& painter, const QRect& area, const GraphLook& look, const PdfReportContent& content) {
    Surface surface;
    surface.resize(area.size());
    surface.SetBackColor(look.background);
    surface.SetFillColor(look.fill);
    const std::optional<GraphFrame> frame = ComputeGraphFrame(content.lines, content.timeUnit, look.value);
    if (frame && content.lines.size() >= 2)
        PaintGraph(surface, *frame);
    painter.drawImage(area, surface.Image());
}

} // namespace

QByteArray PdfReport(const PdfReportContent& content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Examora"));
    writer.setCreator(QStringLiteral("Examora"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(kDotsPerInch);
    QPainter painter(&writer);
    const int width = writer.width(), gap = width / 40;
    int top = 0;
    top +=
        DrawText(painter, QRect(0, top, width, width / 8), QStringLiteral("Examora"), ReportFont(24, true));
    const QString mode =
        content.mode == AverageMode::Academic ? QStringLiteral("Academic Mode") : QStringLiteral("Math Mode");
    top += DrawText(painter, QRect(0, top, width, width / 8),
                    FormatDateTime(content.today, DateFormat::Long) + QStringLiteral(" - ") + mode,
                    ReportFont(11, false)) +
           gap;
    DrawFigures(painter, QRect(0, top, width, width / 8), content);
    top += width / 8 + gap;
    const int graphHeight = (writer.height() - top) / 2 - 3 * gap;
    for (const GraphLook& look : kGraphs) {
        const QString title = QString::fromLatin1(look.title) + QStringLiteral(" (") +
                              UnitName(content.timeUnit) + QLatin1Char(')');
        top += DrawText(painter, QRect(0, top, width, width / 8), title, ReportFont(12, true)) + gap / 2;
        DrawGraph(painter, QRect(0, top, width, graphHeight), look, content);
        top += graphHeight + gap;
    }
    painter.end();
    return bytes;
}

} // namespace examora
