#include "app/form1.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    // Without a display Qt would abort with a long message; say what to do instead.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && (!platform || !*platform)) {
        std::fprintf(stderr, "examora: no display to open its window on; run it in a desktop session, "
                             "or without a screen as: xvfb-run examora\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Examora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.examora.Examora"));
    examora::QtMessageService messages;
    examora::SystemClock clock;
    examora::Form1 window(messages, clock);
    messages.SetParent(&window);
    window.show();
    return app.exec();
}
