// The window's controls and menu items, under the names the handlers use. Form1 makes them and
// owns them; the views reach them through these two tables and nothing else does.
#pragma once

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace examora {

class CaptionLabel;
class ExamListBox;
class Surface;

struct Controls {
    Surface* surface = nullptr;
    CaptionLabel* Label[4] = {};
    QFrame* Shape[4] = {};
    QLineEdit* Text[4] = {};
    QPushButton* ExamComm = nullptr;
    ExamListBox* ExamList = nullptr;
    QFrame* ExamListShadow = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* ImgShadow = nullptr;
};

struct MenuItems {
    QMenu* File = nullptr;
    QMenu* Graphics = nullptr;
    QMenu* SetTimeUnits = nullptr;
    QMenu* Mode = nullptr;
    QAction* Load = nullptr;
    QAction* Save = nullptr;
    QAction* ExportCsv = nullptr;
    QAction* ExportPdf = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    QAction* Quit = nullptr;
    QAction* AddExam = nullptr;
    QAction* ShowExams = nullptr;
    QAction* EraseExams = nullptr;
    QAction* ViewMainStats = nullptr;
    QAction* MarksTime = nullptr;
    QAction* MarksCredits = nullptr;
    QAction* Days = nullptr;
    QAction* Months = nullptr;
    QAction* Years = nullptr;
    QAction* AcademicMode = nullptr;
    QAction* MathMode = nullptr;
    QAction* WhatIf = nullptr;
    QAction* Info = nullptr;
};

} // namespace examora
