// A real main window started in a temporary working directory that holds the given data file,
// with scripted message boxes and a fixed clock. The window is shown (offscreen in tests) and
// waits for its start-up to finish. Tests reach its controls only by their object names, and
// drive it as a user does: menu commands, keys, the mouse.
#pragma once

#include "support/test_services.h"
#include "window/form1.h"
#include "window/widgets/caption_label.h"
#include "window/widgets/surface.h"

#include <QAction>
#include <QByteArray>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace examora::testing {

class WindowFixture {
public:
    // fileContent: the bytes of "Examora.TXT", or nothing for no data file.
    explicit WindowFixture(std::optional<QByteArray> fileContent, QDate today = QDate(2026, 12, 7));
    ~WindowFixture();

    Form1& window() { return *window_; }
    ScriptedMessages& messages() { return messages_; }
    FixedClock& clock() { return clock_; }
    QString dataFilePath() const;
    QByteArray dataFileBytes() const;
    void writeDataFile(const QByteArray& bytes) const;

    // The controls and menu items, by their names ("Text0", "ExamComm", "MarksTime", "Graphics").
    template <class T = QWidget> T* find(const QString& name) const {
        T* found = window_->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    QLineEdit* text(int i) const { return find<QLineEdit>(QStringLiteral("Text%1").arg(i)); }
    CaptionLabel* label(int i) const { return find<CaptionLabel>(QStringLiteral("Label%1").arg(i)); }
    QPushButton* button() const { return find<QPushButton>(QStringLiteral("ExamComm")); }
    QListView* list() const { return find<QListView>(QStringLiteral("ExamList")); }
    Surface* surface() const { return find<Surface>(QStringLiteral("Surface")); }
    QAction* action(const QString& name) const { return find<QAction>(name); }

    // Chooses a menu command as a user does: its menu opens first, and a hidden or disabled item
    // does nothing.
    void choose(const QString& item);
    // Types the exam into the entry panel's boxes (the date replaces the proposed one when given)
    // and presses Enter in the last box.
    void typeExam(const QString& name, const QString& mark, const QString& credits, const QString& date = {});
    // Replaces a box's text as a user does: select all, delete, type.
    static void retype(QLineEdit* box, const QString& text);
    // What the list shows, top to bottom, and its check marks.
    QStringList lines() const;
    bool checked(int row) const;
    void setChecked(int row, bool checked);
    QString caption() const { return window_->windowTitle(); }
    // The window's outer size at its normal state, as it was shown.
    QSize normalSize() const { return normalSize_; }
    // The surface's pixel at a point in its own pixels, as painted.
    QColor pixel(QPoint at) const { return surface()->Image().pixelColor(at); }

private:
    QTemporaryDir dir_;
    QString previousDir_;
    ScriptedMessages messages_;
    FixedClock clock_;
    std::unique_ptr<Form1> window_;
    QSize normalSize_;
};

// Lines joined with CR LF after each, as the program writes them.
QByteArray DataFile(const QStringList& lines);

} // namespace examora::testing
