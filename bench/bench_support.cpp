#include "bench_support.h"

#include "records/exam_list_model.h"

#include "graphs/graph_frame.h"

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPainter>
#include <cmath>
#include <cstring>

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

QAction* Command(const Form1& window, const char* name) { return Control<QAction>(window, name); }

Surface* SurfaceOf(const Form1& window) { return Control<Surface>(window, "Surface"); }

ExamListModel& Exams(const Form1& window) {
    return *static_cast<ExamListModel*>(Control<QListView>(window, "ExamList")->model());
}

StartedWindow::StartedWindow() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QDir::setCurrent(dir.path());
    window = std::make_unique<Form1>(messages, clock);
    window->show();
    while (!window->Started())
        QApplication::processEvents();
}

GraphFloorShapes FloorShapes(const QStringList& lines, const QString& timeUnit, bool marksTimesCredits,
                             QSize surface, const QColor& fill) {
    ExamListModel store;
    store.ReplaceAll(lines);
    const GraphFrame frame = *ComputeGraphFrame(
        store.Readings(), timeUnit, marksTimesCredits ? PlottedValue::MarkTimesCredits : PlottedValue::Mark);
    const QTransform toPixels =
        UserToPixels(UserScale{frame.scaleTop, frame.scaleHeight, frame.scaleWidth}, QSizeF(surface));
    GraphFloorShapes shapes;
    for (const GraphPoint& point : frame.points) {
        shapes.tops.push_back(toPixels.map(QPointF(point.x, point.value)).toPoint());
        shapes.feet.push_back(static_cast<int>(toPixels.map(QPointF(point.x, 0)).y()));
    }
    const double radius = static_cast<float>(frame.scaleWidth / 99) * toPixels.m11();
    const int half = static_cast<int>(std::ceil(radius)) + 2;
    shapes.circle = QImage(2 * half + 1, 2 * half + 1, QImage::Format_RGB32);
    shapes.circle.fill(QColor(0, 64, 0));
    QPainter painter(&shapes.circle);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QPointF(half, half), radius, radius);
    return shapes;
}

void PaintGraphFloor(const GraphFloorShapes& shapes, QImage& image) {
    uchar* const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    const int width = image.width(), height = image.height(), half = shapes.circle.width() / 2;
    const QRgb white = qRgb(255, 255, 255);
    for (std::size_t i = 0; i < shapes.tops.size(); ++i) {
        const QPoint top = shapes.tops[i], corner = top - QPoint(half, half);
        const int left = std::max(0, corner.x()), right = std::min(width, corner.x() + shapes.circle.width());
        for (int y = std::max(0, corner.y()); right > left && y < std::min(height, corner.y() + 2 * half + 1);
             ++y)
            std::memcpy(bits + y * bytesPerLine + left * 4,
                        shapes.circle.constScanLine(y - corner.y()) + (left - corner.x()) * 4,
                        static_cast<std::size_t>(right - left) * 4);
        if (top.x() >= 0 && top.x() < width)
            for (int y = std::max(0, top.y()); y < std::min(height, shapes.feet[i]); ++y)
                reinterpret_cast<QRgb*>(bits + y * bytesPerLine)[top.x()] = white;
    }
}

} // namespace examora::bench
