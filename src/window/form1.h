// The main window, Form1, and the map of how the window side fits together.
//
//   ExamDocument (core)     the record: the exams, the data file's keeper, the undo history, the
//                           file's path, and whether anything is unsaved. Every change goes
//                           through it; widgets only show it.
//   Screen (screen.h)       which view is on the window, one value, and what entering each view
//                           leaves there: the table of shown controls, colours and sizes, then
//                           the keyboard focus on the view's first control.
//   views/                  one object per view, owning what it shows and the handlers of its
//                           commands, each under its own name:
//     stats_view            ViewMainStats_Click, ShowMainStats, AcademicMode_Click, MathMode_Click
//     entry_panel           AddExam_Click, Text_Change, CheckEntryFields, ExamComm_Click, and the
//                           change of a held exam ("Change exam")
//     graph_view            MarksTime_Click, MarksCredits_Click, Graphics_Click, Days_Click,
//                           Months_Click, Years_Click, RedrawGraph, Form_MouseMove, Form_MouseDown
//     list_view             ShowExams_Click, ExamList_ItemCheck, EraseExams_Click, ExamList_DblClick
//     what_if_view          WhatIf_Click: the figures now and with planned exams, and a target
//     info_view             Info_Click
//   file_menu               Load_Click, Save_Click, File_Click, LoadDataAtStart, SaveDataFile,
//                           the exports, Undo_Click, Redo_Click and the closing question
//   startup.cpp             Form_Load and Form_Activate; layout.cpp and menus.cpp build the
//                           controls and the menu bar from tables (window_parts.h names them)
//   widgets/, drawing/      the controls' own classes; the graph painting and the PDF report
//   services/               the message box, which tests replace (the clock is the core's)
//
// Figures, frames, read-outs and field tests are plain functions of the core, tested without a
// window; the window calls them and stays thin. Tests find the controls by their object names.
#pragma once

#include "document/exam_document.h"
#include "window/file_menu.h"
#include "window/screen.h"
#include "window/views/entry_panel.h"
#include "window/views/graph_view.h"
#include "window/views/info_view.h"
#include "window/views/list_view.h"
#include "window/views/stats_view.h"
#include "window/views/what_if_view.h"
#include "window/window_parts.h"

#include <QMainWindow>

namespace examora {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(MessageService& messages, const Clock& clock, QWidget* parent = nullptr);
    ~Form1() override;

    // Keeps the records in the given file instead of "Examora.TXT"; called before the window shows.
    void SetDataFile(const QString& path);
    // True once the first activation has laid out the window, read the data file and opened the
    // first view.
    bool Started() const { return started_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void ConnectEvents();
    void Form_Load();
    void Form_Activate();

    Controls c_;
    MenuItems m_;
    ExamDocument document_;
    Screen screen_;
    ViewContext context_;
    StatsView stats_;
    EntryPanel entry_;
    GraphView graph_;
    ListView list_;
    WhatIfView whatIf_;
    InfoView info_;
    FileMenu file_;
    bool activated_ = false;
    bool started_ = false;
};

} // namespace examora
