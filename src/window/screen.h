// Which view is on the window, held in one place, and what entering each view leaves on it: one
// row of a table per view (shown and hidden controls, colours, caption, window size), then the
// keyboard focus on the view's first control, so that no hidden control keeps it.
#pragma once

#include "window/window_parts.h"

#include <QSize>
#include <QString>
#include <array>
#include <optional>

class QColor;
class QMainWindow;
class QWidget;

namespace examora {

enum class ViewId { MainStats, Entry, Graph, ExamList, WhatIf, Info };

// One of the window's views. Each owns what it shows and the handlers of its commands.
class View {
public:
    virtual ~View() = default;
    // The command that enters the view, as the user gives it.
    virtual void Open() = 0;
    // Where the keyboard goes when the view is entered.
    virtual QWidget* FocusTarget() const = 0;
    // Another view, or this one afresh, is about to be entered.
    virtual void Leave() {}
    // The record changed under the view (undo, redo, a read, a merge): show it as it now is.
    virtual void Refresh() = 0;
};

class Screen {
public:
    Screen(QMainWindow& window, Controls& controls, MenuItems& menus);

    void SetView(ViewId id, View* view) { views_[static_cast<std::size_t>(id)] = view; }
    // The view on the window; none before the first is entered.
    std::optional<ViewId> Current() const { return current_; }
    // Leaves the view on the window and sets up the window for the given one.
    void Enter(ViewId id);
    // Enters the view through its own command.
    void Open(ViewId id) { views_[static_cast<std::size_t>(id)]->Open(); }
    void RefreshCurrent();
    // A graph is on the surface and answers the pointer and the right button: from its drawing
    // until another view is entered, " Stats" is chosen or the File menu opens.
    bool GraphShown() const { return graphShown_; }
    void ForgetGraph() { graphShown_ = false; }

    void SetCaption(const QString& caption);
    void SetBackColor(const QColor& color);
    void SetLabelRowColours();

    // The window's size at its normal state, taken once it is first shown.
    void TakeNormalSize();
    void ShowNormalSize();
    void ShowMaximised();

private:
    QMainWindow& window_;
    Controls& c_;
    MenuItems& m_;
    std::array<View*, 6> views_{};
    std::optional<ViewId> current_;
    bool graphShown_ = false;
    // The outer size at normal state, and what the frame added to the client area then: the window
    // manager may not have framed the window yet, and the normal size must give back the same
    // client area.
    QSize normalOuter_;
    QSize normalFrame_;
};

} // namespace examora
