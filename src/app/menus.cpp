// The menu bar, left to right, with the state of each item when the window is created. Captions
// carry a keyboard mnemonic ("&"); without it they read as the program's own texts.
#include "app/form1.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace examora {
namespace {

struct ItemEntry {
    QAction* Form1::*member;
    const char* name;
    const char* caption;
    void (Form1::*handler)();
    bool checkable;
};

struct MenuEntry {
    QMenu* Form1::*member; // null for a command that stands on the bar itself
    const char* name;
    const char* caption;
    std::initializer_list<ItemEntry> items;
    bool onBar;
};

// clang-format off
const MenuEntry kMenuBar[] = {
    {&Form1::File, "File", "&File", {
        {&Form1::Load, "Load", "&Load", &Form1::Load_Click, false},
        {&Form1::Save, "Save", "&Save", &Form1::Save_Click, false},
        {&Form1::ExportCsv, "ExportCsv", "&Export CSV...", &Form1::ExportCsv_Click, false},
        {&Form1::ExportPdf, "ExportPdf", "Export &PDF report...", &Form1::ExportPdf_Click, false},
        {&Form1::Undo, "Undo", "&Undo", &Form1::Undo_Click, false},
        {&Form1::Redo, "Redo", "&Redo", &Form1::Redo_Click, false}}, true},
    {nullptr, "", "", {{&Form1::AddExam, "AddExam", "&Add exam", &Form1::AddExam_Click, false}}, true},
    {nullptr, "", "", {{&Form1::ShowExams, "ShowExams", "&List", &Form1::ShowExams_Click, false}}, true},
    {nullptr, "", "", {{&Form1::EraseExams, "EraseExams", "&Erase exam(s)", &Form1::EraseExams_Click, false}}, true},
    {nullptr, "", "", {{&Form1::ViewMainStats, "ViewMainStats", " &Stats", &Form1::ViewMainStats_Click, false}}, true},
    {&Form1::Graphics, "Graphics", "&Graphics", {
        {&Form1::MarksTime, "MarksTime", "Marks &VS Time", &Form1::MarksTime_Click, true},
        {&Form1::MarksCredits, "MarksCredits", "Marks x &Credits VS Time", &Form1::MarksCredits_Click, true}}, true},
    {&Form1::SetTimeUnits, "SetTimeUnits", "Units", {
        {&Form1::Days, "Days", "&Days", &Form1::Days_Click, true},
        {&Form1::Months, "Months", "&Months", &Form1::Months_Click, true},
        {&Form1::Years, "Years", "&Years", &Form1::Years_Click, true}}, false},
    {&Form1::Mode, "Mode", "&Mode", {
        {&Form1::AcademicMode, "AcademicMode", "&Academic Mode", &Form1::AcademicMode_Click, true},
        {&Form1::MathMode, "MathMode", "Ma&th Mode", &Form1::MathMode_Click, true}}, true},
    {nullptr, "", "", {{&Form1::Info, "Info", "&Info", &Form1::Info_Click, false}}, true},
};
// clang-format on

} // namespace

void Form1::BuildMenus() {
    for (const MenuEntry& entry : kMenuBar) {
        QMenu* menu = nullptr;
        if (entry.member) {
            menu = new QMenu(QString::fromLatin1(entry.caption), this);
            menu->setObjectName(QString::fromLatin1(entry.name));
            this->*entry.member = menu;
            if (entry.onBar)
                menuBar()->addMenu(menu);
        }
        for (const ItemEntry& item : entry.items) {
            auto* action = new QAction(QString::fromLatin1(item.caption), this);
            action->setObjectName(QString::fromLatin1(item.name));
            action->setCheckable(item.checkable);
            connect(action, &QAction::triggered, this, item.handler);
            this->*item.member = action;
            if (menu)
                menu->addAction(action);
            else
                menuBar()->addAction(action);
        }
    }
    // The mode and the time unit are each one choice among a few: their items show radio marks.
    const QList<QList<QAction*>> choices{{AcademicMode, MathMode}, {Days, Months, Years}};
    for (const QList<QAction*>& choice : choices) {
        auto* group = new QActionGroup(this);
        for (QAction* action : choice)
            group->addAction(action);
    }
    File->insertSeparator(Undo);
    ShowExams->setEnabled(false);
    EraseExams->setVisible(false);
    AcademicMode->setChecked(true);
}

} // namespace examora
