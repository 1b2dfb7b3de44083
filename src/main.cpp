#include "cli/command_line.h"
#include "window/form1.h"
#include "window/services/message_service.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

namespace examora {

// Ends the program once the surface has been painted after start-up, when the first view is on
// screen, or once a message the start shows over it (a warning about the file read) is painted;
// the end comes after the paint has reached the window, and skips taking down the held exams, so
// that what is timed is the start-up alone.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(const Form1& window) : QObject(window.centralWidget()), window_(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool firstView = watched == parent() && window_.Started();
        if (event->type() == QEvent::Paint && (firstView || qobject_cast<QDialog*>(watched)))
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return false;
    }

private:
    const Form1& window_;
};

} // namespace examora

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Examora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(EXAMORA_VERSION));
    // The reports, --help and --version need no window, and so no display.
    if (examora::AsksForNoWindow(ArgumentsOf(argc, argv))) {
        QCoreApplication app(argc, argv);
        return examora::RunWithoutWindow(app);
    }
    // Without a display Qt would abort with a long message; say what to do instead.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && (!platform || !*platform)) {
        std::fprintf(stderr, "examora: no display to open its window on; run it in a desktop session, "
                             "or without a screen as: xvfb-run examora\n");
        return 1;
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.examora.Examora"));
    const QString dataFile = examora::DataFileOfWindow(app);
    examora::QtMessageService messages;
    examora::SystemClock clock;
    examora::Form1 window(messages, clock);
    window.SetDataFile(dataFile);
    messages.SetParent(&window);
    // Used only by the start-up benchmark (bench/startup.py): quit once the first view after start-up
    // has been painted. Read here, at start, and nowhere else.
    if (qEnvironmentVariableIsSet("EXAMORA_QUIT_AFTER_FIRST_PAINT"))
        qApp->installEventFilter(new examora::QuitAfterFirstPaint(window));
    window.show();
    return app.exec();
}
