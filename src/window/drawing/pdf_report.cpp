#include "window/drawing/pdf_report.h"

#include "graphs/graph_frame.h"
#include "records/conversions.h"
#include "records/record_line.h"
#include "stats/term.h"
#include "window/drawing/pdf_graph.h"
#include "window/drawing/pdf_look.h"
#include "window/drawing/pdf_table.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace examora {
namespace {

using namespace pdf;

struct GraphPage {
    PlottedValue value;
    const char* title;
    const char* valueName;
    const char* plotted; // for the caption
};
const GraphPage kGraphs[2] = {{PlottedValue::Mark, "Marks VS Time", "Mark", "The mark of each exam"},
                              {PlottedValue::MarkTimesCredits, "Marks x Credits VS Time", "Mark x credits",
                               "The mark of each exam times its credits"}};

QString UnitName(const QString& timeUnit) {
    if (timeUnit == kDays)
        return QStringLiteral("days");
    return timeUnit == kMonths ? QStringLiteral("months") : QStringLiteral("years");
}

// What the report reads of the lines, once.
struct ReportData {
    std::vector<qsizetype> records; // the lines that are records, in the list's order
    std::vector<ExamReading> readings;
    MainStats stats;
    int honours = 0;
    std::vector<YearFigures> years;
    std::optional<GraphFrame> frames[2];
};

ReportData ReadReport(const PdfReportContent& content) {
    ReportData data;
    const DateReadingPass pass;
    for (qsizetype i = 0; i < content.lines.size(); ++i)
        if (std::optional<ExamReading> exam = ReadExam(content.lines[i])) {
            data.records.push_back(i);
            data.readings.push_back(*exam);
        }
    data.stats = ComputeMainStats(data.readings, content.mode);
    data.honours = CountHonours(content.lines);
    data.years = FiguresPerYear(data.readings, content.mode);
    for (int i = 0; i < 2; ++i)
        data.frames[i] = ComputeGraphFrame(data.readings, content.timeUnit, kGraphs[i].value);
    return data;
}

// The figures of the statistics view and the graduation base, each in a light box.
void DrawFigures(QPainter& painter, const QRectF& area, const ReportData& data) {
    const MainStatsCaptions captions = CaptionsOf(data.stats);
    const QString texts[] = {captions.exams, captions.overall, captions.average, captions.credits,
                             QStringLiteral("Graduation base") + kCarriageReturn +
                                 Str(GraduationBase(data.stats))};
    constexpr int count = std::size(texts);
    const double gap = Mm(2.5), width = (area.width() - (count - 1) * gap) / count;
    for (int i = 0; i < count; ++i) {
        const QRectF box(area.left() + i * (width + gap), area.top(), width, area.height());
        painter.setPen(QPen(kStem, Mm(0.3)));
        painter.setBrush(kShade);
        painter.drawRect(box);
        painter.setBrush(Qt::NoBrush);
        QStringList lines = texts[i].split(kCarriageReturn);
        for (QString& line : lines)
            line = line.trimmed();
        // Each line of a figure stays whole: a long one ("Speed : 2857.1 / year") takes smaller type.
        QFont font = ReportFont(10, true);
        auto widest = [&] {
            const QFontMetricsF metrics(font, painter.device());
            qreal most = 0;
            for (const QString& line : lines)
                most = std::max(most, metrics.horizontalAdvance(line));
            return most;
        };
        while (font.pointSizeF() > 6 && widest() > box.width() - Mm(2))
            font.setPointSizeF(font.pointSizeF() - 0.5);
        painter.setFont(font);
        painter.setPen(kInk);
        painter.drawText(box, Qt::AlignCenter, lines.join(QChar(10)));
    }
}

// The first page: the title, the date and the mode, the figures and both graphs.
void FirstPage(PdfPages& pages, const PdfReportContent& content, const ReportData& data) {
    pages.Text(QStringLiteral("Examora"), ReportFont(24, true), Mm(1));
    const QString mode =
        content.mode == AverageMode::Academic ? QStringLiteral("Academic Mode") : QStringLiteral("Math Mode");
    pages.Text(FormatDateTime(content.today, DateFormat::Long) + QStringLiteral(" - ") + mode, ReportFont(11),
               Mm(5));
    const QRectF figures = pages.Take(Mm(17));
    if (pages.Painting())
        DrawFigures(pages.Painter(), figures, data);
    pages.Take(Mm(6));
    const QFont heading = ReportFont(12, true), caption = ReportFont(8.5, false, true);
    const double graphHeight =
        (pages.Bottom() - pages.Top()) / 2 - pages.LineHeight(heading) - pages.LineHeight(caption) - Mm(6);
    for (int i = 0; i < 2; ++i) {
        const GraphPage& graph = kGraphs[i];
        pages.Text(QString::fromLatin1(graph.title), heading, Mm(1));
        const QRectF area = pages.Take(graphHeight);
        if (pages.Painting())
            DrawPdfGraph(pages.Painter(), area, data.frames[i], content.timeUnit,
                         QString::fromLatin1(graph.valueName));
        pages.Text(QStringLiteral("Figure %1. %2, drawn at its date; time unit: %3.")
                       .arg(i + 1)
                       .arg(QString::fromLatin1(graph.plotted), UnitName(content.timeUnit)),
                   caption, Mm(5));
    }
}

QString Decimal(std::optional<double> number) {
    return number ? Str(*number).trimmed() : QStringLiteral("-");
}

// The pages after the first: the honours, the figures of each year, the table of the exams.
void TablePages(PdfPages& pages, const PdfReportContent& content, const ReportData& data) {
    pages.NewPage();
    const QFont heading = ReportFont(13, true), body = ReportFont(10);
    const double headingHeight = pages.LineHeight(heading) + Mm(2);
    pages.Text(QStringLiteral("Honours"), heading, Mm(2));
    pages.Text(QStringLiteral("Exams passed with honours (30L): %1").arg(data.honours), body, Mm(8));

    pages.KeepTogether(headingHeight + 3 * pages.LineHeight(body) * 1.45);
    const QString mode =
        content.mode == AverageMode::Academic ? QStringLiteral("academic mode") : QStringLiteral("math mode");
    pages.Text(QStringLiteral("Figures per year (%1)").arg(mode), heading, Mm(2));
    PdfTable years(pages, {{QStringLiteral("Year"), Mm(30)},
                           {QStringLiteral("Exams"), Mm(30), true},
                           {QStringLiteral("Credits"), Mm(35), true},
                           {QStringLiteral("Overall mark"), Mm(40), true}});
    for (const YearFigures& year : data.years)
        years.Row({QString::number(year.year), QString::number(year.exams), Str(year.credits).trimmed(),
                   Decimal(year.overallMark)});
    if (data.years.empty())
        pages.Text(QStringLiteral("No exams."), body);
    pages.Take(Mm(8));

    pages.KeepTogether(headingHeight + 3 * pages.LineHeight(body) * 1.45);
    pages.Text(QStringLiteral("Exams"), heading, Mm(2));
    const double dateWidth = QFontMetricsF(ReportFont(9, true), &pages.Writer())
                                 .horizontalAdvance(FormatDateTime(QDate(2000, 12, 28), DateFormat::Short)) +
                             Mm(6);
    PdfTable exams(pages, {{QStringLiteral("Exam"), 0},
                           {QStringLiteral("Date"), std::max(dateWidth, Mm(28))},
                           {QStringLiteral("Mark"), Mm(22), true},
                           {QStringLiteral("Credits"), Mm(22), true}});
    for (std::size_t i = 0; i < data.records.size(); ++i) {
        const QStringList parts = RecordParts(content.lines[data.records[i]]);
        exams.Row({parts[ExamName].trimmed(), FormatDateTime(data.readings[i].date, DateFormat::Short),
                   parts[ExamMark].trimmed(), parts[CreditValue].trimmed()});
    }
    if (data.records.empty())
        pages.Text(QStringLiteral("No exams."), body);
}

// Lays the whole report out; with a painter it draws it, without one it only counts its pages.
int Report(QPdfWriter& writer, QPainter* painter, int pageCount, const PdfReportContent& content,
           const ReportData& data) {
    PdfPages pages(writer, painter, pageCount);
    FirstPage(pages, content, data);
    TablePages(pages, content, data);
    pages.Finish();
    return pages.Pages();
}

} // namespace

QByteArray PdfReport(const PdfReportContent& content) {
    const ReportData data = ReadReport(content);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Examora"));
    writer.setCreator(QStringLiteral("Examora"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(kDotsPerInch);
    const int pageCount = Report(writer, nullptr, 0, content, data);
    QPainter painter(&writer);
    Report(writer, &painter, pageCount, content, data);
    painter.end();
    return bytes;
}

} // namespace examora
