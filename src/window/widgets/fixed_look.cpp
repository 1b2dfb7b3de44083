#include "window/widgets/fixed_look.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace examora {

QPalette FixedPalette() {
    QPalette palette(QColor(0xe0, 0xe0, 0xe0), QColor(0xf0, 0xf0, 0xf0));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::AlternateBase, QColor(0xf4, 0xf4, 0xf4));
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::PlaceholderText, QColor(0x60, 0x60, 0x60));
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x70, 0x70, 0x70));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x70));
    return palette;
}

QStyle* FixedStyle() {
    static QStyle* const style = [] {
        QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        fusion->setParent(qApp);
        return fusion;
    }();
    return style;
}

void GiveFixedLook(QWidget* control) {
    control->setPalette(FixedPalette());
    control->setStyle(FixedStyle());
    // A theme's palette for a kind of control (line edits, say) would win over one inherited.
    for (QWidget* child : control->findChildren<QWidget*>()) {
        child->setPalette(FixedPalette());
        child->setStyle(FixedStyle());
    }
}

} // namespace examora
