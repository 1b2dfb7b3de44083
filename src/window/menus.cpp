// The menu bar, left to right, with the state of each item when the window is created. Captions
// carry a keyboard mnemonic ("&"); without it they read as the program's own texts.
#include "window/form1.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace examora {
namespace {

struct ItemEntry {
    QAction* MenuItems::*member;
    const char* name;
    const char* caption;
    bool checkable;
};

struct MenuEntry {
    QMenu* MenuItems::*member; // null for a command that stands on the bar itself
    const char* name;
    const char* caption;
    std::initializer_list<ItemEntry> items;
    bool onBar;
};

// clang-format off
const MenuEntry kMenuBar[] = {
    {&MenuItems::File, "File", "&File", {
        {&MenuItems::Load, "Load", "&Load", false},
        {&MenuItems::Save, "Save", "&Save", false},
        {&MenuItems::ExportCsv, "ExportCsv", "&Export CSV...", false},
        {&MenuItems::ExportPdf, "ExportPdf", "Export &PDF report...", false},
        {&MenuItems::Undo, "Undo", "&Undo", false},
        {&MenuItems::Redo, "Redo", "&Redo", false},
        {&MenuItems::Quit, "Quit", "&Quit", false}}, true},
    {nullptr, "", "", {{&MenuItems::AddExam, "AddExam", "&Add exam", false}}, true},
    {nullptr, "", "", {{&MenuItems::ShowExams, "ShowExams", "&List", false}}, true},
    {nullptr, "", "", {{&MenuItems::EraseExams, "EraseExams", "&Erase exam(s)", false}}, true},
    {nullptr, "", "", {{&MenuItems::ViewMainStats, "ViewMainStats", " &Stats", false}}, true},
    {&MenuItems::Graphics, "Graphics", "&Graphics", {
        {&MenuItems::MarksTime, "MarksTime", "Marks &VS Time", true},
        {&MenuItems::MarksCredits, "MarksCredits", "Marks x &Credits VS Time", true}}, true},
    {&MenuItems::SetTimeUnits, "SetTimeUnits", "Units", {
        {&MenuItems::Days, "Days", "&Days", true},
        {&MenuItems::Months, "Months", "&Months", true},
        {&MenuItems::Years, "Years", "&Years", true}}, false},
    {&MenuItems::Mode, "Mode", "&Mode", {
        {&MenuItems::AcademicMode, "AcademicMode", "&Academic Mode", true},
        {&MenuItems::MathMode, "MathMode", "Ma&th Mode", true}}, true},
    {nullptr, "", "", {{&MenuItems::WhatIf, "WhatIf", "&What if", false}}, true},
    {nullptr, "", "", {{&MenuItems::Info, "Info", "&Info", false}}, true},
};
// clang-format on

} // namespace

void Form1::BuildMenus() {
    for (const MenuEntry& entry : kMenuBar) {
        QMenu* menu = nullptr;
        if (entry.member) {
            menu = new QMenu(QString::fromLatin1(entry.caption), this);
            menu->setObjectName(QString::fromLatin1(entry.name));
            m_.*entry.member = menu;
            if (entry.onBar)
                menuBar()->addMenu(menu);
        }
        for (const ItemEntry& item : entry.items) {
            auto* action = new QAction(QString::fromLatin1(item.caption), this);
            action->setObjectName(QString::fromLatin1(item.name));
            action->setCheckable(item.checkable);
            m_.*item.member = action;
            if (menu)
                menu->addAction(action);
            else
                menuBar()->addAction(action);
        }
    }
    // The mode and the time unit are each one choice among a few: their items show radio marks.
    const QList<QList<QAction*>> choices{{m_.AcademicMode, m_.MathMode}, {m_.Days, m_.Months, m_.Years}};
    for (const QList<QAction*>& choice : choices) {
        auto* group = new QActionGroup(this);
        for (QAction* action : choice)
            group->addAction(action);
    }
    m_.File->insertSeparator(m_.Undo);
    m_.File->insertSeparator(m_.Quit);
    // The platform's keys for saving and quitting; F5 and Ctrl+R read the file again, as a reload.
    m_.Save->setShortcuts(QKeySequence::Save);
    m_.Load->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    const QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    m_.Quit->setShortcuts(quitKeys.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)} : quitKeys);
    m_.ShowExams->setEnabled(false);
    m_.EraseExams->setVisible(false);
    m_.AcademicMode->setChecked(true);
    // Undo and Redo answer the platform's keys, and Ctrl+Shift+Z and Ctrl+Y wherever those differ.
    m_.Undo->setShortcuts(QKeySequence::Undo);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    m_.Redo->setShortcuts(redoKeys);
}

} // namespace examora
