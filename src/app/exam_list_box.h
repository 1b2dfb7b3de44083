// The exam list on the window: a list box with a check box on each line, showing the store of
// records. It offers the store's operations under the names the handlers use.
#pragma once

#include "records/exam_list_model.h"

#include <QListView>

namespace examora {

class ExamListBox : public QListView {
    Q_OBJECT
public:
    explicit ExamListBox(QWidget* parent = nullptr);

    ExamListModel& Store() { return store_; }
    const ExamListModel& Store() const { return store_; }

    void AddItem(const QString& line) { store_.AddItem(line); }
    void RemoveItem(int i) { store_.RemoveItem(i); }
    void Clear() { store_.Clear(); }
    QString List(int i) const { return store_.List(i); }
    int ListCount() const { return store_.ListCount(); }
    bool Selected(int i) const { return store_.Selected(i); }
    void SetSelected(int i, bool checked) { store_.SetSelected(i, checked); }
    int SelCount() const { return store_.SelCount(); }
    QStringList Lines() const { return store_.Lines(); }

signals:
    // A double click on a line's text (not its check box), or Enter on the current line.
    void LineChosen(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ExamListModel store_;
};

} // namespace examora
