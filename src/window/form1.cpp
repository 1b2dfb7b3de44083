#include "window/form1.h"

#include "datafile/data_file.h"
#include "window/widgets/accessibles.h"
#include "window/widgets/exam_list_box.h"
#include "window/widgets/surface.h"
#include "window/widgets/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace examora {
namespace {

// What a window manager's frame and title bar take around the client area, at most; nothing frames
// a window drawn offscreen.
QSize FrameAllowance() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ? QSize() : QSize(16, 48);
}

} // namespace

Form1::Form1(MessageService& messages, const Clock& clock, QWidget* parent)
    : QMainWindow(parent), document_(kDataFileName),
      screen_(*this, c_, m_), context_{document_, c_, m_, screen_, messages, clock}, stats_(context_),
      entry_(context_), graph_(context_), list_(context_, entry_), whatIf_(context_, stats_), info_(context_),
      file_(context_, stats_, graph_) {
    setObjectName(QStringLiteral("Form1"));
    InstallAccessibles();
    screen_.SetView(ViewId::MainStats, &stats_);
    screen_.SetView(ViewId::Entry, &entry_);
    screen_.SetView(ViewId::Graph, &graph_);
    screen_.SetView(ViewId::ExamList, &list_);
    screen_.SetView(ViewId::WhatIf, &whatIf_);
    screen_.SetView(ViewId::Info, &info_);
    BuildMenus();
    // At normal size the client area, below the menu bar, is 6525 by 8190 twips; on a screen too
    // small for it (a small one, or a large scale factor) the layout shrinks as a whole.
    const QSizeF design(6525, 8190);
    menuBar()->ensurePolished();
    const int menuHeight = menuBar()->sizeHint().height();
    // A few pixels more for the menu bar's final type and the rounding of each control.
    const QSize fixed = FrameAllowance() + QSize(4, menuHeight + 6);
    SetLayoutScale(FittingScale(design, fixed, screen()->availableGeometry().size()));
    BuildControls();
    ConnectEvents();
    file_.FollowRecord();
    // The menu bar keeps to one row: a narrower window would fold it and push the view down.
    resize(std::max(ToPixels(design.width()), menuBar()->sizeHint().width()),
           ToPixels(design.height()) + menuHeight);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::SetDataFile(const QString& path) { document_.SetPath(path); }

void Form1::ConnectEvents() {
    const std::pair<QAction*, std::function<void()>> commands[] = {
        {m_.Load, [this] { file_.Load_Click(); }},
        {m_.Save, [this] { file_.Save_Click(); }},
        {m_.ExportCsv, [this] { file_.ExportCsv_Click(); }},
        {m_.ExportPdf, [this] { file_.ExportPdf_Click(); }},
        {m_.Undo, [this] { file_.Undo_Click(); }},
        {m_.Redo, [this] { file_.Redo_Click(); }},
        // Quitting asks what closing the window asks.
        {m_.Quit, [this] { close(); }},
        {m_.AddExam, [this] { entry_.AddExam_Click(); }},
        {m_.ShowExams, [this] { list_.ShowExams_Click(); }},
        {m_.EraseExams, [this] { list_.EraseExams_Click(); }},
        {m_.ViewMainStats, [this] { stats_.ViewMainStats_Click(); }},
        {m_.MarksTime, [this] { graph_.MarksTime_Click(); }},
        {m_.MarksCredits, [this] { graph_.MarksCredits_Click(); }},
        {m_.Days, [this] { graph_.Days_Click(); }},
        {m_.Months, [this] { graph_.Months_Click(); }},
        {m_.Years, [this] { graph_.Years_Click(); }},
        {m_.AcademicMode, [this] { stats_.AcademicMode_Click(); }},
        {m_.MathMode, [this] { stats_.MathMode_Click(); }},
        {m_.WhatIf, [this] { whatIf_.WhatIf_Click(); }},
        {m_.Info, [this] { info_.Info_Click(); }},
    };
    for (const auto& [action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);
    connect(m_.File, &QMenu::aboutToShow, this, [this] { file_.File_Click(); });
    connect(m_.Graphics, &QMenu::aboutToShow, this, [this] { graph_.Graphics_Click(); });
    connect(c_.surface, &Surface::MouseMove, this,
            [this](int button, int shift, float x, float y) { graph_.Form_MouseMove(button, shift, x, y); });
    connect(c_.surface, &Surface::MouseDown, this,
            [this](int button, int shift, float x, float y) { graph_.Form_MouseDown(button, shift, x, y); });
    for (int i = 0; i < 4; ++i) {
        connect(c_.Text[i], &QLineEdit::textChanged, this, [this, i] { entry_.Text_Change(i); });
        // Enter in a field presses the armed button, as in a dialog with a default button.
        connect(c_.Text[i], &QLineEdit::returnPressed, this, [this] {
            if (c_.ExamComm->isEnabled())
                c_.ExamComm->click();
        });
    }
    connect(c_.ExamComm, &QPushButton::clicked, this, [this] { entry_.ExamComm_Click(); });
    ExamListModel& list = document_.List();
    connect(&list, &ExamListModel::ItemCheck, this, [this](int row) { list_.ExamList_ItemCheck(row); });
    connect(c_.ExamList, &ExamListBox::LineChosen, this, [this](int row) { list_.ExamList_DblClick(row); });
    for (auto change : {&ExamListModel::rowsInserted, &ExamListModel::rowsRemoved})
        connect(&list, change, this, [this] { file_.FollowRecord(); });
    connect(&list, &ExamListModel::modelReset, this, [this] { file_.FollowRecord(); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { graph_.PopUpUnitsFromKeyboard(); });
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_) {
        activated_ = true;
        // The first activation comes once the window is on screen, so that it can be maximised.
        QTimer::singleShot(0, this, [this] {
            Form_Activate();
            started_ = true;
        });
    }
}

// The keyboard's menu key opens the Units pop-up over a graph, as the right button does; a right
// click is handled as a button press on the surface.
void Form1::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard)
        graph_.PopUpUnitsFromKeyboard();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && screen_.Current() == ViewId::Entry)
        entry_.Escape_Press();
    else
        QMainWindow::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (file_.Form_Unload())
        event->accept();
    else
        event->ignore();
}

} // namespace examora
