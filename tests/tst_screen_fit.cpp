// On every screen the window and every control of every view stay inside the screen's available
// area. CTest runs this on offscreen screens of 1024x768 at scale 1, and 1280x1024 and 2560x1440
// at scale 2 (QT_SCALE_FACTOR), besides the offscreen default.
#include "support/window_fixture.h"

#include <QScreen>
#include <QTest>

using namespace examora;
using namespace examora::testing;

class TestScreenFit : public QObject {
    Q_OBJECT
private slots:
    void everyViewFits() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        WindowFixture f(DataFile({"Algebra;1/1/2006;28;6", "Biology;1/2/2007;25;6", "Chemistry;1/3/2008;30;6"}));
        const QRect area = f.window().screen()->availableGeometry();
        qInfo("available %dx%d, normal window %dx%d", area.width(), area.height(), f.normalSize().width(),
              f.normalSize().height());
        // The first control outside the window, or the window outside the screen; empty when all fit.
        const auto outside = [&](const char* command) -> QString {
            if (!area.contains(f.window().frameGeometry()))
                return QStringLiteral("%1: the window").arg(command);
            const QRect client = f.window().rect();
            for (const QWidget* control : f.window().findChildren<QWidget*>()) {
                // A shadow is decoration, and may fall off the edge as in the design.
                if (!control->isVisible() || control->isWindow() || control->objectName().endsWith("Shadow"))
                    continue;
                const QRect at(control->mapTo(&f.window(), QPoint()), control->size());
                if (!client.contains(at))
                    return QStringLiteral("%1: %2 at %3,%4 %5x%6 in %7x%8")
                        .arg(command, control->objectName())
                        .arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height())
                        .arg(client.width()).arg(client.height());
            }
            return {};
        };
        for (const char* command : {"ViewMainStats", "AddExam", "MarksTime", "ShowExams", "WhatIf", "Info"}) {
            f.choose(command);
            QTRY_VERIFY2(outside(command).isEmpty(), qPrintable(outside(command)));
        }
    }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screen_fit.moc"
