#include "window/widgets/accessibles.h"

#include "window/widgets/exam_list_box.h"
#include "window/widgets/surface.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QVariant>
#include <unordered_map>
#include <vector>

namespace examora {
namespace {

// The property that marks a widget as drawing alone (the shadows of MakeShadow in layout.cpp).
constexpr char kDecoration[] = "decoration";

// The surface as a chart; the graph view describes the graph on it. Its decorations are not among
// its children.
class SurfaceAccessible : public QAccessibleWidget {
public:
    explicit SurfaceAccessible(QWidget* surface) : QAccessibleWidget(surface, QAccessible::Chart) {}

    int childCount() const override { return static_cast<int>(Told().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> told = Told();
        return index >= 0 && index < told.size() ? QAccessible::queryAccessibleInterface(told[index])
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(Told().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> Told() const {
        QList<QWidget*> told;
        for (QObject* object : widget()->children())
            if (auto* w = qobject_cast<QWidget*>(object);
                w && !w->isWindow() && !w->property(kDecoration).toBool())
                told.append(w);
        return told;
    }
};

// One line of the exam list. It shows only while the list shows and the line is in its view, and
// it can always be checked; toggling it checks or unchecks the line as a click on its box does. It
// is told as a check box: the accessibility bridge of Qt 6.4 passes no "checkable" state on, and a
// screen reader says "not checked" only of what it knows can be checked.
class ExamLineAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ExamLineAccessible(QListView* view, int row) : view_(view), row_(row) {}

    int Row() const { return row_; }
    QListView* View() const { return view_; }

    bool isValid() const override { return view_ && row_ < view_->model()->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Index().data(Qt::AccessibleTextRole).toString() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_)
            return {};
        const QRect area = view_->visualRect(Index());
        return QRect(view_->viewport()->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const QModelIndex index = Index();
        const QRect shown(view_->viewport()->mapToGlobal(QPoint()), view_->viewport()->size());
        state.invisible = !view_->isVisible() || !shown.intersects(rect());
        state.focusable = state.selectable = true;
        state.selected = view_->selectionModel()->isSelected(index);
        state.focused = view_->hasFocus() && view_->currentIndex() == index;
        state.checkable = (index.flags() & Qt::ItemIsUserCheckable) != 0;
        state.checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        state.disabled = !view_->isEnabled();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& action) override {
        if (action != toggleAction() || !isValid())
            return;
        const bool checked = Index().data(Qt::CheckStateRole).toInt() == Qt::Checked;
        view_->model()->setData(Index(), checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QModelIndex Index() const { return view_ ? view_->model()->index(row_, 0) : QModelIndex(); }

    QPointer<QListView> view_;
    int row_;
};

// The exam list, whose children are its lines. The lines told are forgotten whenever rows come,
// go or move, so that none keeps speaking for a row that now holds another exam.
class ExamListAccessible : public QAccessibleWidget {
public:
    explicit ExamListAccessible(QListView* view) : QAccessibleWidget(view, QAccessible::List) {
        QAbstractItemModel* model = view->model();
        const auto forget = [this] { Forget(); };
        connections_ = {
            QObject::connect(model, &QAbstractItemModel::modelReset, view, forget),
            QObject::connect(model, &QAbstractItemModel::rowsInserted, view, forget),
            QObject::connect(model, &QAbstractItemModel::rowsRemoved, view, forget),
            QObject::connect(model, &QAbstractItemModel::rowsMoved, view, forget),
            QObject::connect(model, &QAbstractItemModel::layoutChanged, view, forget),
            // A screen reader hears a line checked or unchecked, however it was.
            QObject::connect(model, &QAbstractItemModel::dataChanged, view,
                             [view](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                                 if (!roles.contains(Qt::CheckStateRole))
                                     return;
                                 QAccessible::State changed;
                                 changed.checked = true;
                                 for (int row = from.row(); row <= to.row(); ++row) {
                                     QAccessibleStateChangeEvent event(view, changed);
                                     event.setChild(row);
                                     QAccessible::updateAccessibility(&event);
                                 }
                             }),
        };
    }
    ~ExamListAccessible() override {
        for (const QMetaObject::Connection& connection : connections_)
            QObject::disconnect(connection);
        Forget();
    }

    int childCount() const override { return View()->model()->rowCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto told = lines_.find(index); told != lines_.end())
            if (QAccessibleInterface* line = QAccessible::accessibleInterface(told->second))
                return line;
        auto* line = new ExamLineAccessible(View(), index);
        lines_[index] = QAccessible::registerAccessibleInterface(line);
        return line;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* line = dynamic_cast<const ExamLineAccessible*>(child);
        return line && line->View() == View() && line->isValid() ? line->Row() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex index = View()->indexAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = View()->currentIndex();
        return View()->hasFocus() && current.isValid() ? child(current.row())
                                                       : QAccessibleWidget::focusChild();
    }

private:
    QListView* View() const { return static_cast<QListView*>(widget()); }
    void Forget() {
        for (const auto& [row, id] : lines_)
            QAccessible::deleteAccessibleInterface(id);
        lines_.clear();
    }

    std::vector<QMetaObject::Connection> connections_;
    mutable std::unordered_map<int, QAccessible::Id> lines_;
};

QAccessibleInterface* WindowAccessibles(const QString& className, QObject* object) {
    if (className == QLatin1String(Surface::staticMetaObject.className()))
        return new SurfaceAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String(ExamListBox::staticMetaObject.className()))
        return new ExamListAccessible(static_cast<QListView*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibles() {
    static const bool installed = [] {
        QAccessible::installFactory(WindowAccessibles);
        return true;
    }();
    (void)installed;
}

} // namespace examora
