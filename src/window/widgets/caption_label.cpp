#include "window/widgets/caption_label.h"

#include "window/widgets/twips.h"

namespace examora {

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void CaptionLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    QString shown = caption;
    shown.replace(QChar(13), QChar(10));
    setText(shown);
    // A screen reader reads the caption's lines as one phrase.
    QString spoken = caption;
    spoken.replace(QChar(13), QChar(32));
    setAccessibleName(spoken);
}

QColor CaptionLabel::BackColor() const { return palette().color(QPalette::Window); }

void CaptionLabel::SetBackColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

double CaptionLabel::FontSize() const { return font().pointSizeF() / LayoutScale(); }

void CaptionLabel::SetFontSize(double points) {
    QFont f = font();
    f.setPointSizeF(ScaledPoints(points));
    setFont(f);
}

} // namespace examora
