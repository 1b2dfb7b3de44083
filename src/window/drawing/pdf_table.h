// The flow of the report's pages and its tables. Blocks go one under another; a page that cannot
// hold the next one is closed with its number ("Page 2 of 5") and a new one begun. Without a
// painter the flow is a dry run that only counts the pages, so that each page can name the total.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;
class QPdfWriter;

namespace examora::pdf {

class PdfPages {
public:
    PdfPages(QPdfWriter& writer, QPainter* painter, int pageCount);

    bool Painting() const { return painter_ != nullptr; }
    QPainter& Painter() { return *painter_; }
    const QPdfWriter& Writer() const { return writer_; }
    double Width() const { return width_; }
    double Top() const { return top_; }
    // Where the page's content ends, above its number.
    double Bottom() const { return bottom_; }
    int Pages() const { return page_; }

    bool Fits(double height) const { return top_ + height <= bottom_; }
    // A new page when this one cannot hold the height (a page already empty stays).
    void KeepTogether(double height);
    // The area of a block of the height at the top of what is left, and what is left below it.
    QRectF Take(double height);
    void NewPage();
    // Numbers the last page.
    void Finish();

    // A line of text the width of the page, on a new page when it does not fit; with some space
    // below it when `after` is given.
    void Text(const QString& text, const QFont& font, double after = 0);
    double LineHeight(const QFont& font) const;

private:
    void NumberPage();

    QPdfWriter& writer_;
    QPainter* painter_;
    int pageCount_;
    int page_ = 1;
    double width_, top_ = 0, bottom_;
};

struct PdfColumn {
    QString title;
    double width = 0; // 0: what the other columns leave of the page's width
    bool right = false;
};

// A table whose header starts it and every page it runs on to. Cells too wide for their column
// end in an ellipsis.
class PdfTable {
public:
    PdfTable(PdfPages& pages, std::vector<PdfColumn> columns);
    // The header and the first row always share a page.
    void Row(const QStringList& cells);
    double RowHeight() const { return rowHeight_; }

private:
    void Header();
    void Cells(const QRectF& row, const QStringList& cells, const QFont& font);

    PdfPages& pages_;
    std::vector<PdfColumn> columns_;
    QFont font_, bold_;
    double rowHeight_, pad_;
    int rows_ = 0;       // so far, for the stripes
    int headerPage_ = 0; // the page that last got the header
};

} // namespace examora::pdf
