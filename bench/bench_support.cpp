#include "bench_support.h"

#include <QApplication>
#include <QDir>

namespace examora::bench {

QStringList ExamLines(int count, int lowestMark) {
    QStringList lines;
    lines.reserve(count);
    const QDate first(2004, 1, 15);
    for (int i = 0; i < count; ++i) {
        const QDate date = first.addDays((qint64{i} * 7919) % 7300);
        lines.append(QStringLiteral("Exam %1;%2/%3/%4;%5;%6")
                         .arg(i)
                         .arg(date.month())
                         .arg(date.day())
                         .arg(date.year())
                         .arg(lowestMark + i % (31 - lowestMark))
                         .arg(1 + i % 12));
    }
    return lines;
}

StartedWindow::StartedWindow() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QDir::setCurrent(dir.path());
    window = std::make_unique<Form1>(messages, clock);
    window->show();
    while (!window->Started())
        QApplication::processEvents();
}

} // namespace examora::bench
