// The File menu: reading and saving the data file, the exports, undo and redo, and the questions
// asked before unsaved changes could be lost.
#pragma once

#include "window/views/view_context.h"

#include <functional>

class QLabel;

namespace examora {

class GraphView;
class StatsView;

class FileMenu {
public:
    FileMenu(const ViewContext& context, const StatsView& stats, const GraphView& graph)
        : x_(context), stats_(stats), graph_(graph) {}

    void LoadDataAtStart();
    void LoadDataFile();
    bool SaveDataFile(); // false when the file was not written
    void Load_Click() { LoadDataFile(); }
    void Save_Click() { SaveDataFile(); }
    void File_Click();
    void ExportCsv_Click();
    void ExportPdf_Click();
    void Undo_Click();
    void Redo_Click();
    bool Form_Unload(); // false when the window must stay open: the save asked for failed

    // The menu items that follow the record: List, Erase exam(s), Undo and Redo.
    void FollowRecord();

private:
    void ReadDataFile(bool reportToUser);
    // filters: the kinds of file offered, preferred the one chosen at first; content makes the
    // file's bytes for the kind the user chose.
    void Export(const QString& title, const QStringList& filters, int preferred, const QString& suffix,
                const std::function<QByteArray(int kind)>& content);
    std::function<void(qint64, qint64)> ReadingProgress();
    // Yes saves first; false when the user keeps the window (or the save failed).
    bool MayDropChanges();

    ViewContext x_;
    const StatsView& stats_;
    const GraphView& graph_;
    QLabel* readProgress_ = nullptr; // over the surface while a long read goes on
};

} // namespace examora
