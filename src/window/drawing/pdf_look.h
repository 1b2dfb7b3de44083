// The look of the printed report, shared by its pages, tables and graphs: sizes in millimetres on
// the page, the type, and colours that print on white in colour and in grey alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>

namespace examora::pdf {

inline constexpr int kDotsPerInch = 300;
// Millimetres in the painter's units on the report's pages.
inline double Mm(double mm) { return mm * kDotsPerInch / 25.4; }

inline const QColor kInk(0, 0, 0);
inline const QColor kStem(16, 42, 110);   // dark blue: stems, circle outlines, box borders
inline const QColor kFill(120, 160, 215); // mid-tone blue: a mid grey in print
inline const QColor kGrid(205, 205, 205);
inline const QColor kShade(236, 240, 247); // behind the figures and the table headers
inline const QColor kStripe(246, 246, 246);

inline QFont ReportFont(double points, bool bold = false, bool italic = false) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace examora::pdf
