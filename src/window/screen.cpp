#include "window/screen.h"

#include "window/widgets/caption_label.h"
#include "window/widgets/exam_list_box.h"
#include "window/widgets/surface.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

namespace examora {
namespace {

enum class Show { Hidden, Shown, Unchanged };
enum class WindowSize { Normal, Maximised };
enum class LabelColours { Rows, DarkRed, Unchanged };

struct ViewSetup {
    std::optional<QString> caption;   // nothing: unchanged, or set by the command
    std::optional<QColor> background; // nothing: set by the command (graphs, " Stats")
    WindowSize window;
    Show labels[4];
    LabelColours labelColours;
    double label1Points; // 0: unchanged
    Show shapes[4];
    Show texts;
    Show examComm;
    Show examList; // with its shadow; brought to the front when shown
    Show picture;  // with its shadow, which takes the picture's size
    Show eraseItem;
};

const QColor kGrey(64, 64, 64);
const QColor kDarkRed(64, 0, 0);
const QColor kRowColours[4] = {QColor(64, 0, 0), QColor(0, 64, 0), QColor(0, 0, 64), QColor(64, 0, 64)};
constexpr Show H = Show::Hidden, S = Show::Shown, U = Show::Unchanged;

// clang-format off
const ViewSetup& SetupOf(ViewId view) {
    static const QString examora = QStringLiteral("Examora");
    static const ViewSetup mainStats{{}, {}, WindowSize::Normal, {S, S, S, S}, LabelColours::Rows, 24,
                                     {S, S, S, S}, H, H, H, H, H};
    static const ViewSetup entry{examora, kGrey, WindowSize::Normal, {S, S, S, S}, LabelColours::Rows, 24,
                                 {S, S, S, S}, S, S, H, H, H};
    static const ViewSetup graph{{}, {}, WindowSize::Maximised, {H, H, H, H}, LabelColours::Unchanged, 0,
                                 {H, H, H, H}, H, H, H, H, U};
    static const ViewSetup examList{examora, kDarkRed, WindowSize::Maximised, {H, H, H, H},
                                    LabelColours::Unchanged, 0, {H, H, H, H}, H, H, S, H, U};
    static const ViewSetup info{examora, kGrey, WindowSize::Normal, {S, S, H, H}, LabelColours::DarkRed, 18,
                                {S, S, H, H}, H, H, H, S, H};
    // The what-if view shows a panel of its own over the surface.
    static const ViewSetup whatIf{examora, kGrey, WindowSize::Normal, {H, H, H, H}, LabelColours::Unchanged, 0,
                                  {H, H, H, H}, H, H, H, H, H};
    switch (view) {
    case ViewId::MainStats: return mainStats;
    case ViewId::Entry: return entry;
    case ViewId::Graph: return graph;
    case ViewId::ExamList: return examList;
    case ViewId::WhatIf: return whatIf;
    case ViewId::Info: break;
    }
    return info;
}
// clang-format on

void Apply(Show show, QWidget* widget) {
    if (show != Show::Unchanged)
        widget->setVisible(show == Show::Shown);
}

} // namespace

Screen::Screen(QMainWindow& window, Controls& controls, MenuItems& menus)
    : window_(window), c_(controls), m_(menus) {}

void Screen::Enter(ViewId id) {
    if (current_)
        views_[static_cast<std::size_t>(*current_)]->Leave();
    const ViewSetup& setup = SetupOf(id);
    if (setup.caption)
        SetCaption(*setup.caption);
    if (setup.background)
        SetBackColor(*setup.background);
    c_.surface->Cls();
    for (int i = 0; i < 4; ++i) {
        Apply(setup.labels[i], c_.Label[i]);
        Apply(setup.shapes[i], c_.Shape[i]);
        Apply(setup.texts, c_.Text[i]);
        if (setup.labelColours != LabelColours::Unchanged)
            c_.Label[i]->SetBackColor(setup.labelColours == LabelColours::Rows ? kRowColours[i] : kDarkRed);
    }
    if (setup.label1Points > 0)
        c_.Label[1]->SetFontSize(setup.label1Points);
    Apply(setup.examComm, c_.ExamComm);
    Apply(setup.examList, c_.ExamList);
    Apply(setup.examList, c_.ExamListShadow);
    if (setup.examList == Show::Shown)
        c_.ExamList->raise();
    Apply(setup.picture, c_.Image1);
    if (setup.picture == Show::Shown) {
        c_.Image1->raise();
        c_.ImgShadow->resize(c_.Image1->size());
    }
    Apply(setup.picture, c_.ImgShadow);
    if (setup.eraseItem != Show::Unchanged)
        m_.EraseExams->setVisible(setup.eraseItem == Show::Shown);
    if (setup.window == WindowSize::Normal)
        ShowNormalSize();
    else
        ShowMaximised();
    current_ = id;
    graphShown_ = id == ViewId::Graph;
    views_[static_cast<std::size_t>(id)]->FocusTarget()->setFocus(Qt::OtherFocusReason);
}

void Screen::RefreshCurrent() {
    if (current_)
        views_[static_cast<std::size_t>(*current_)]->Refresh();
}

// Qt tells screen readers nothing of a new title; they speak the window's new name, and so the
// pointer's read-out over a graph.
void Screen::SetCaption(const QString& caption) {
    if (caption == window_.windowTitle())
        return;
    window_.setWindowTitle(caption);
    QAccessibleEvent renamed(&window_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void Screen::SetBackColor(const QColor& color) { c_.surface->SetBackColor(color); }

void Screen::SetLabelRowColours() {
    for (int i = 0; i < 4; ++i)
        c_.Label[i]->SetBackColor(kRowColours[i]);
}

void Screen::TakeNormalSize() {
    normalOuter_ = window_.frameGeometry().size();
    normalFrame_ = normalOuter_ - window_.geometry().size();
}

void Screen::ShowNormalSize() {
    window_.setWindowState(Qt::WindowNoState);
    window_.resize(normalOuter_ - normalFrame_);
}

// A window manager maximises in its own time: what is drawn meanwhile waits for the new size, so
// that it is painted once.
void Screen::ShowMaximised() {
    if (!window_.isMaximized())
        c_.surface->AwaitResize();
    window_.setWindowState(Qt::WindowMaximized);
}

} // namespace examora
