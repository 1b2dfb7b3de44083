#include "app/form1.h"

#include "platform/twips.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QUndoStack>

namespace examora {

Form1::Form1(MessageService& messages, const Clock& clock, QWidget* parent)
    : QMainWindow(parent), messages_(messages), clock_(clock) {
    setObjectName(QStringLiteral("Form1"));
    BuildControls();
    BuildMenus();
    BuildUndo();
    ConnectEvents();
    // At normal size the client area, below the menu bar, is 6525 by 8190 twips.
    resize(ToPixels(6525), ToPixels(8190) + menuBar()->sizeHint().height());
    Form_Load();
}

// The undo history goes first, while the window it reports to is still whole: it tells of its clean
// state as it goes.
Form1::~Form1() { delete undoStack; }

void Form1::ConnectEvents() {
    connect(surface, &Surface::MouseMove, this, &Form1::Form_MouseMove);
    connect(surface, &Surface::MouseDown, this, &Form1::Form_MouseDown);
    for (int i = 0; i < 4; ++i) {
        connect(Text[i], &QLineEdit::textChanged, this, [this, i] { Text_Change(i); });
        // Enter in a field presses the armed button, as in a dialog with a default button.
        connect(Text[i], &QLineEdit::returnPressed, this, [this] {
            if (ExamComm->isEnabled())
                ExamComm->click();
        });
    }
    connect(ExamComm, &QPushButton::clicked, this, &Form1::ExamComm_Click);
    connect(&ExamList->Store(), &ExamListModel::ItemCheck, this, &Form1::ExamList_ItemCheck);
    connect(ExamList, &ExamListBox::LineChosen, this, &Form1::ExamList_DblClick);
    connect(File, &QMenu::aboutToShow, this, &Form1::File_Click);
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this,
            &Form1::PopUpUnitsFromKeyboard);
    connect(Graphics, &QMenu::aboutToShow, this, &Form1::Graphics_Click);
}

double Form1::OuterWidth() const { return ToTwips(frameGeometry().width()); }
double Form1::OuterHeight() const { return ToTwips(frameGeometry().height()); }

void Form1::ShowNormalSize() {
    setWindowState(Qt::WindowNoState);
    resize(ToPixels(normalWidth) - normalFrame_.width(), ToPixels(normalHeight) - normalFrame_.height());
}

// A window manager maximises in its own time: what is drawn meanwhile waits for the new size, so
// that it is painted once.
void Form1::ShowMaximised() {
    if (!isMaximized())
        surface->AwaitResize();
    setWindowState(Qt::WindowMaximized);
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

// The keyboard's menu key and Shift+F10 open the Units pop-up over a graph, as the right button
// does; a right click is handled as a button press on the surface.
void Form1::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard)
        PopUpUnitsFromKeyboard();
}

void Form1::PopUpUnitsFromKeyboard() {
    if (graphShown)
        SetTimeUnits->popup(surface->mapToGlobal(surface->rect().center()));
}

void Form1::closeEvent(QCloseEvent* event) {
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

} // namespace examora
