// The main window, Form1, and the one map of how the program fits together.
//
// The records live only as the lines of ExamList (the store), each with the reading that the
// figures and graphs use, taken once as the line comes in. What the program knows of the data file
// itself (the lines that are no records, whether it could be read, what the disk held, the merge
// with changes made by other programs) is DataFileKeeper's. Every user command is one handler
// named after the control or menu item that raises it (ViewMainStats_Click, ExamList_ItemCheck,
// Form_MouseMove), defined in the folder of its subsystem:
//   records/  LoadDataAtStart, LoadDataFile, SaveDataFile, the File menu and the closing question,
//             the exports, and the undo history of the list (every change of the list is a command
//             pushed on undoStack);
//   stats/    ShowMainStats and the Mode menu, on top of ComputeMainStats;
//   graphs/   the two graphs, the Graphics and Units commands and the pointer read-out, on top of
//             ComputeGraphFrame and PointerReadout;
//   entry/    the entry panel, the insertion and the change in place, on top of EntryFieldsAcceptable;
//   app/      start-up, the layout of the controls, the menu bar, the views, the list view, info.
// A view is whatever the procedure that enters it leaves on the window; EnterView (app/views.cpp)
// holds, in one table, what each view shows and hides. Window code stays thin: figures, frames,
// read-outs and field tests are plain functions tested without a window. Message boxes and today's
// date come through MessageService and Clock, which tests replace. The code that needs no window is
// the library examora_core (Qt Core only), which the command line (app/command_line.h) uses alone.
#pragma once

#include "app/exam_list_box.h"
#include "platform/caption_label.h"
#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/surface.h"
#include "records/data_file_keeper.h"
#include "stats/main_stats.h"

#include <QDate>
#include <QFrame>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

class QAction;
class QMenu;
class QUndoStack;

namespace examora {

struct GraphFrame;

enum class View { MainStats, Entry, Graph, ExamList, Info };
enum class PlottedValue;

// Draws the graph of a frame on the surface, in the surface's fill colour: the same drawing on the
// window and in the printed report.
void PaintGraph(Surface& surface, const GraphFrame& frame);

// A command button's face colour, shown whatever the style.
void SetButtonFace(QPushButton* button, const QColor& color);
QColor ButtonFace(const QPushButton* button);

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(MessageService& messages, const Clock& clock, QWidget* parent = nullptr);
    ~Form1() override;

    // True once the first activation has laid out the window, read the data file and opened the
    // first view.
    bool Started() const { return started_; }

    // The window's controls, under the names the handlers use.
    Surface* surface = nullptr;
    CaptionLabel* Label[4] = {};
    QFrame* Shape[4] = {};
    QLineEdit* Text[4] = {};
    QPushButton* ExamComm = nullptr;
    ExamListBox* ExamList = nullptr;
    QFrame* ExamListShadow = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* ImgShadow = nullptr;

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
    QAction* Info = nullptr;

    // Window-level state. dataFileName is the data file's name as the messages show it;
    // dataFilePath is the file read and written.
    QString dataFileName;
    QString dataFilePath;
    bool dataChanged = false;
    double normalHeight = 0; // outer size at normal state, in twips
    double normalWidth = 0;
    QString timeUnit;
    bool graphShown = false;
    QDate graphOrigin;
    QUndoStack* undoStack = nullptr;
    int changingRow = -1; // the line the entry panel is changing, or -1 while it adds exams

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    void SetBackColor(const QColor& color) { surface->SetBackColor(color); }
    // Outer size (frame, title and menu bar included), in twips.
    double OuterWidth() const;
    double OuterHeight() const;
    // WindowState 0, then Height and Width back to normalHeight and normalWidth.
    void ShowNormalSize();
    void ShowMaximised();

    // Start-up (app/startup.cpp).
    void Form_Load();
    void Form_Activate();

    // Data file (records/data_file_commands.cpp).
    void LoadDataAtStart();
    void LoadDataFile();
    bool SaveDataFile(); // false when the file could not be written
    void Load_Click() { LoadDataFile(); }
    void Save_Click() { SaveDataFile(); }
    void File_Click();
    // Keeps the records in the given file instead of "Examora.TXT"; called before the window shows.
    void SetDataFile(const QString& path);
    void ExportCsv_Click();
    void ExportPdf_Click();
    bool Form_Unload(); // false when the window must stay open: the save asked for failed

    // Undo history of the list (records/exam_list_undo.cpp).
    void Undo_Click();
    void Redo_Click();
    void PushInsertion(const QString& line);
    void PushErasure();
    // On a load nothing before it can be undone; undoing back to a save clears dataChanged.
    void ForgetListHistory();
    void MarkListSaved();

    // Statistics (stats/).
    void ViewMainStats_Click();
    void ShowMainStats();
    AverageMode CurrentAverageMode() const;
    void AcademicMode_Click();
    void MathMode_Click();

    // Graphs (graphs/).
    void DrawMarksTimeGraph();
    void DrawMarksCreditsGraph();
    void RedrawGraph();
    void Graphics_Click();
    void MarksTime_Click();
    void MarksCredits_Click();
    void Days_Click();
    void Months_Click();
    void Years_Click();
    void Form_MouseMove(int button, int shift, float x, float y);
    void Form_MouseDown(int button, int shift, float x, float y);

    // Exam entry (entry/).
    void AddExam_Click();
    void Text_Change(int index);
    void CheckEntryFields();
    void ExamComm_Click();
    void ExamList_DblClick(int row); // also Enter on the list's current line: change that exam

    // Views (app/).
    void EnterView(View view);
    void SetLabelRowColours();
    void ShowExams_Click();
    void ExamList_ItemCheck(int item);
    void EraseExams_Click();
    void Info_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildUndo();
    void FollowListChange();
    void ReplaceChangedExam();
    void ConnectEvents();
    void ReadDataFile(bool reportToUser);
    std::function<void(qint64, qint64)> ReadingProgress();
    void DrawGraph(PlottedValue value, const QColor& fill);
    void PopUpUnitsFromKeyboard();
    void SetUnitCommand(QAction* checked, const QString& code);

    MessageService& messages_;
    const Clock& clock_;
    DataFileKeeper dataFile_;
    QLabel* readProgress_ = nullptr; // over the surface while a long read goes on
    // What the frame added to the client area when the normal size was taken: the window manager
    // may not have framed the window yet, and the normal size must give back the same client area.
    QSize normalFrame_;
    bool activated_ = false;
    bool started_ = false;
};

} // namespace examora
