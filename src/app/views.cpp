// What each view leaves on the window, one column of the table per view. The procedure that enters
// a view (ShowMainStats, AddExam_Click, the graph drawings, ShowExams_Click, Info_Click) runs its own
// steps and calls EnterView for the rest; captions and figures are its own.
#include "app/form1.h"

#include <optional>

namespace examora {
namespace {

enum class Show { Hidden, Shown, Unchanged };
enum class WindowSize { Normal, Maximised };
enum class LabelColours { Rows, DarkRed, Unchanged };

struct ViewSetup {
    std::optional<bool> graphShown;   // nothing: set by the command that enters the view
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
const ViewSetup& SetupOf(View view) {
    static const QString examora = QStringLiteral("Examora");
    static const ViewSetup mainStats{{}, {}, {}, WindowSize::Normal, {S, S, S, S}, LabelColours::Rows, 24,
                                     {S, S, S, S}, H, H, H, H, H};
    static const ViewSetup entry{false, examora, kGrey, WindowSize::Normal, {S, S, S, S}, LabelColours::Rows, 24,
                                 {S, S, S, S}, S, S, H, H, H};
    static const ViewSetup graph{true, {}, {}, WindowSize::Maximised, {H, H, H, H}, LabelColours::Unchanged, 0,
                                 {H, H, H, H}, H, H, H, H, U};
    static const ViewSetup examList{false, examora, kDarkRed, WindowSize::Maximised, {H, H, H, H},
                                    LabelColours::Unchanged, 0, {H, H, H, H}, H, H, S, H, U};
    static const ViewSetup info{false, examora, kGrey, WindowSize::Normal, {S, S, H, H}, LabelColours::DarkRed, 18,
                                {S, S, H, H}, H, H, H, S, H};
    switch (view) {
    case View::MainStats: return mainStats;
    case View::Entry: return entry;
    case View::Graph: return graph;
    case View::ExamList: return examList;
    case View::Info: break;
    }
    return info;
}
// clang-format on

void Apply(Show show, QWidget* widget) {
    if (show != Show::Unchanged)
        widget->setVisible(show == Show::Shown);
}

} // namespace

void Form1::EnterView(View view) {
    const ViewSetup& setup = SetupOf(view);
    changingRow = -1; // any view abandons a change in progress
    if (setup.graphShown)
        graphShown = *setup.graphShown;
    if (setup.caption)
        SetCaption(*setup.caption);
    if (setup.background)
        SetBackColor(*setup.background);
    surface->Cls();
    for (int i = 0; i < 4; ++i) {
        Apply(setup.labels[i], Label[i]);
        Apply(setup.shapes[i], Shape[i]);
        Apply(setup.texts, Text[i]);
        if (setup.labelColours != LabelColours::Unchanged)
            Label[i]->SetBackColor(setup.labelColours == LabelColours::Rows ? kRowColours[i] : kDarkRed);
    }
    if (setup.label1Points > 0)
        Label[1]->SetFontSize(setup.label1Points);
    Apply(setup.examComm, ExamComm);
    Apply(setup.examList, ExamList);
    Apply(setup.examList, ExamListShadow);
    if (setup.examList == Show::Shown)
        ExamList->raise();
    Apply(setup.picture, Image1);
    if (setup.picture == Show::Shown) {
        Image1->raise();
        ImgShadow->resize(Image1->size());
    }
    Apply(setup.picture, ImgShadow);
    if (setup.eraseItem != Show::Unchanged)
        EraseExams->setVisible(setup.eraseItem == Show::Shown);
    if (setup.window == WindowSize::Normal)
        ShowNormalSize();
    else
        ShowMaximised();
}

void Form1::SetLabelRowColours() {
    for (int i = 0; i < 4; ++i)
        Label[i]->SetBackColor(kRowColours[i]);
}

} // namespace examora
