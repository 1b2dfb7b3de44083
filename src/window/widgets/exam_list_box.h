// The exam list on the window: a list box with a check box on each line, showing the exams of the
// record.
#pragma once

#include <QListView>

namespace examora {

class ExamListModel;

class ExamListBox : public QListView {
    Q_OBJECT
public:
    ExamListBox(ExamListModel& exams, QWidget* parent = nullptr);

    // Makes the line at the row current, scrolled into view, with the keyboard on the list.
    void ShowCurrent(int row);

signals:
    // A double click on a line's text (not its check box), or Enter on the current line.
    void LineChosen(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace examora
