#include "window/widgets/exam_list_box.h"

#include "records/exam_list_model.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace examora {

ExamListBox::ExamListBox(ExamListModel& exams, QWidget* parent) : QListView(parent) {
    setModel(&exams);
    // Every line has the same height: the view then lays out tens of thousands of lines at once.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ExamListBox::ShowCurrent(int row) {
    setCurrentIndex(model()->index(row, 0));
    scrollTo(currentIndex());
    setFocus();
}

void ExamListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (event->button() != Qt::LeftButton || !index.isValid())
        return QListView::mouseDoubleClickEvent(event);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    // A double click on the check box marks and unmarks the line, as it always did.
    if (style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).contains(at))
        return QListView::mouseDoubleClickEvent(event);
    emit LineChosen(index.row());
}

void ExamListBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid())
        emit LineChosen(currentIndex().row());
    else
        QListView::keyPressEvent(event);
}

} // namespace examora
