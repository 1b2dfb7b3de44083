// A label whose caption may hold carriage returns, each shown as a line break. Caption() gives the
// text back as it was set.
#pragma once

#include <QLabel>

namespace examora {

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QColor BackColor() const;
    void SetBackColor(const QColor& color);
    // In the design's points, whatever the layout's scale.
    double FontSize() const;
    void SetFontSize(double points);

private:
    QString caption_;
};

} // namespace examora
