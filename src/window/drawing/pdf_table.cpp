#include "window/drawing/pdf_table.h"

#include "window/drawing/pdf_look.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace examora::pdf {
namespace {

// A cell's text is cut before it is measured: no column holds more.
constexpr qsizetype kLongestCell = 300;

} // namespace

PdfPages::PdfPages(QPdfWriter& writer, QPainter* painter, int pageCount)
    : writer_(writer), painter_(painter), pageCount_(pageCount), width_(writer.width()),
      bottom_(writer.height() - Mm(9)) {}

void PdfPages::KeepTogether(double height) {
    if (!Fits(height) && top_ > 0)
        NewPage();
}

QRectF PdfPages::Take(double height) {
    KeepTogether(height);
    const QRectF area(0, top_, width_, height);
    top_ += height;
    return area;
}

void PdfPages::NewPage() {
    NumberPage();
    if (painter_)
        writer_.newPage();
    ++page_;
    top_ = 0;
}

void PdfPages::Finish() { NumberPage(); }

void PdfPages::NumberPage() {
    if (!painter_)
        return;
    painter_->setFont(ReportFont(9));
    painter_->setPen(kInk);
    const QRectF footer(0, bottom_, width_, writer_.height() - bottom_);
    painter_->drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                       QStringLiteral("Page %1 of %2").arg(page_).arg(pageCount_));
}

double PdfPages::LineHeight(const QFont& font) const { return QFontMetricsF(font, &writer_).lineSpacing(); }

void PdfPages::Text(const QString& text, const QFont& font, double after) {
    const QRectF area = Take(LineHeight(font));
    if (painter_) {
        painter_->setFont(font);
        painter_->setPen(kInk);
        painter_->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    top_ = std::min(top_ + after, bottom_);
}

PdfTable::PdfTable(PdfPages& pages, std::vector<PdfColumn> columns)
    : pages_(pages), columns_(std::move(columns)), font_(ReportFont(9)), bold_(ReportFont(9, true)),
      rowHeight_(pages.LineHeight(font_) * 1.45), pad_(Mm(1.5)) {
    double fixed = 0;
    for (const PdfColumn& column : columns_)
        fixed += column.width;
    for (PdfColumn& column : columns_)
        if (column.width <= 0)
            column.width = std::max(pages.Width() - fixed, Mm(20));
}

void PdfTable::Row(const QStringList& cells) {
    if (headerPage_ != pages_.Pages() || !pages_.Fits(rowHeight_)) {
        pages_.KeepTogether(2 * rowHeight_);
        Header();
    }
    const QRectF row = pages_.Take(rowHeight_);
    if (pages_.Painting()) {
        if (rows_ % 2)
            pages_.Painter().fillRect(row, kStripe);
        Cells(row, cells, font_);
    }
    ++rows_;
}

void PdfTable::Header() {
    headerPage_ = pages_.Pages();
    const QRectF row = pages_.Take(rowHeight_);
    if (!pages_.Painting())
        return;
    QPainter& painter = pages_.Painter();
    painter.fillRect(row, kShade);
    QStringList titles;
    for (const PdfColumn& column : columns_)
        titles.append(column.title);
    Cells(row, titles, bold_);
    painter.setPen(QPen(kStem, Mm(0.3)));
    painter.drawLine(row.bottomLeft(), row.bottomRight());
}

void PdfTable::Cells(const QRectF& row, const QStringList& cells, const QFont& font) {
    QPainter& painter = pages_.Painter();
    painter.setFont(font);
    painter.setPen(kInk);
    const QFontMetricsF metrics(font, painter.device());
    double left = row.left();
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const PdfColumn& column = columns_[i];
        const QRectF cell(left + pad_, row.top(), column.width - 2 * pad_, row.height());
        left += column.width;
        if (qsizetype(i) >= cells.size())
            continue;
        const QString text =
            metrics.elidedText(cells[qsizetype(i)].left(kLongestCell), Qt::ElideRight, cell.width());
        painter.drawText(cell, (column.right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text);
    }
}

} // namespace examora::pdf
