#include "app/exam_list_box.h"

namespace examora {

ExamListBox::ExamListBox(QWidget* parent) : QListView(parent) {
    setModel(&store_);
    // Every line has the same height: the view then lays out tens of thousands of lines at once.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace examora
