#include "window/file_menu.h"

#include "datafile/file_messages.h"

#include "datafile/text_file.h"
#include "records/csv_export.h"
#include "window/drawing/pdf_report.h"
#include "window/views/graph_view.h"
#include "window/views/stats_view.h"
#include "window/widgets/surface.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>

namespace examora {
namespace {

const QString kTitle = QStringLiteral("Examora");
const QString kSaveQuestion = QStringLiteral("Do you want to save changes ?");

QString KeptLinesWarning(const QString& fileName, qsizetype count) {
    if (count == 1)
        return QStringLiteral("WARNING : 1 line of %1 could not be read. It is kept in the file unchanged.")
            .arg(fileName);
    return QStringLiteral("WARNING : %1 lines of %2 could not be read. They are kept in the file unchanged.")
        .arg(count)
        .arg(fileName);
}

// Names the first few lines, one a line.
QString FirstFew(const QStringList& lines) {
    constexpr int kNamed = 5;
    QString text = lines.mid(0, kNamed).join(QLatin1Char('\n'));
    if (lines.size() > kNamed)
        text += QStringLiteral("\n... and %1 more").arg(lines.size() - kNamed);
    return text;
}

QString DropQuestion(const QString& fileName, const QStringList& dropped) {
    if (dropped.size() == 1)
        return QStringLiteral(
                   "Another program erased this exam from %1:\n%2\n\nErase it here too ? No keeps it "
                   "in the file.")
            .arg(fileName, dropped.first());
    return QStringLiteral(
               "Another program erased %1 exams from %2:\n%3\n\nErase them here too ? No keeps them in "
               "the file.")
        .arg(QString::number(dropped.size()), fileName, FirstFew(dropped));
}

QString MergeReport(const QString& fileName, const ExamDocument::SaveResult& saved) {
    QString report =
        saved.damaged ? QStringLiteral("%1 had been emptied or cut short by another program. It was taken as "
                                       "damaged: the exams held here were written back, with the lines it "
                                       "still held.")
                            .arg(fileName)
                      : fileName + QStringLiteral(" was changed by another program since it was read. Its "
                                                  "changes and yours were merged.");
    if (!saved.conflicts.isEmpty())
        report +=
            QStringLiteral("\n\nChanged both here and there, both versions kept (erase the one you do not "
                           "want): ") +
            saved.conflicts.join(QStringLiteral(", "));
    return report;
}

// The suggested file of an export: the data file's name with the export's suffix, beside it.
QString Suggested(const QString& dataFilePath, const QString& suffix) {
    const QFileInfo data(dataFilePath);
    return data.absoluteDir().filePath(data.completeBaseName() + QLatin1Char('.') + suffix);
}

} // namespace

void FileMenu::LoadDataAtStart() { ReadDataFile(false); }

void FileMenu::LoadDataFile() {
    if (MayDropChanges())
        ReadDataFile(true);
}

bool FileMenu::MayDropChanges() {
    if (!x_.document.Unsaved())
        return true;
    // Only Yes and No go on: a question dismissed without an answer keeps things as they are.
    const int answer = x_.messages.MsgBox(kSaveQuestion, YesNoQuestion, kTitle);
    if (answer == AnswerNo)
        return true;
    // A save that fails keeps the exams held: the user may try again, or answer No.
    return answer == AnswerYes && SaveDataFile();
}

// At start only warnings are shown; the Load command reports every outcome. A read that fails
// leaves the held exams as they were, and a file that exists but could not be read is not
// replaced by a save until it has been read.
void FileMenu::ReadDataFile(bool reportToUser) {
    const ExamDocument::ReadResult read = x_.document.Read(ReadingProgress());
    if (readProgress_)
        readProgress_->hide();
    if (read.kind != ExamDocument::ReadResult::Done) {
        if (reportToUser || read.kind == ExamDocument::ReadResult::Failed)
            x_.messages.MsgBox(ReadFailureMessage(x_.document.FileName(), read.error,
                                                  read.kind == ExamDocument::ReadResult::Missing),
                               Exclamation, kTitle);
        return;
    }
    x_.screen.RefreshCurrent();
    const QString name = x_.document.FileName();
    const qsizetype kept = x_.document.Kept().Count();
    if (x_.document.Count() > 0) {
        if (kept > 0)
            x_.messages.MsgBox(KeptLinesWarning(name, kept), Exclamation, kTitle);
    } else if (read.byteCount > 0) {
        // Content, but not one record in it. An empty file is what saving no exams leaves.
        x_.messages.MsgBox(QStringLiteral("WARNING : Corrupted file "), Exclamation, kTitle);
        return;
    }
    if (reportToUser)
        x_.messages.MsgBox(name + QStringLiteral(" Loaded"), Information, kTitle);
}

// A read that takes longer than half a second says how far it has come, over the surface, and lets
// the window paint itself meanwhile; the user's input waits for the end of the read.
std::function<void(qint64, qint64)> FileMenu::ReadingProgress() {
    QElapsedTimer clock;
    clock.start();
    return [this, clock, shown = qint64{0}](qint64 done, qint64 total) mutable {
        const qint64 now = clock.elapsed();
        if (now < 500 || now - shown < 100 || total <= 0)
            return;
        shown = now;
        Surface* surface = x_.c.surface;
        if (!readProgress_) {
            readProgress_ = new QLabel(surface);
            readProgress_->setObjectName(QStringLiteral("ReadProgress"));
            readProgress_->setAlignment(Qt::AlignCenter);
            readProgress_->setStyleSheet(QStringLiteral("color: white; font-size: 20pt;"));
        }
        readProgress_->setText(
            QStringLiteral("Reading %1: %2%").arg(x_.document.FileName()).arg(done * 100 / total));
        readProgress_->setGeometry(surface->rect());
        readProgress_->show();
        readProgress_->raise();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

bool FileMenu::SaveDataFile() {
    const QString name = x_.document.FileName();
    const ExamDocument::SaveResult saved = x_.document.Save([this, &name](const QStringList& dropped) {
        return x_.messages.MsgBox(DropQuestion(name, dropped), YesNoQuestion | NoByDefault, kTitle) ==
               AnswerYes;
    });
    if (saved.kind == ExamDocument::SaveResult::NotRead) {
        x_.messages.MsgBox(NotReadAtSaveMessage(name, saved.error), Exclamation, kTitle);
        return false;
    }
    if (saved.kind == ExamDocument::SaveResult::Failed) {
        x_.messages.MsgBox(SaveFailureMessage(name, saved.error), Exclamation, kTitle);
        return false;
    }
    if (saved.merged) {
        x_.screen.RefreshCurrent();
        x_.messages.MsgBox(MergeReport(name, saved),
                           saved.damaged || !saved.conflicts.isEmpty() ? Exclamation : Information, kTitle);
    }
    x_.messages.MsgBox(QStringLiteral("Data saved to ") + name, Information, kTitle);
    return true;
}

void FileMenu::File_Click() {
    x_.screen.ForgetGraph();
    x_.screen.SetCaption(kTitle);
}

void FileMenu::ExportCsv_Click() {
    const QStringList kinds{QStringLiteral("CSV, comma-separated (*.csv)"),
                            QStringLiteral("CSV for spreadsheets with a decimal comma, semicolon-separated (*.csv)")};
    Export(QStringLiteral("Export CSV"), kinds, LocaleCsvSeparator() == CsvSeparator::Semicolon ? 1 : 0,
           QStringLiteral("csv"), [this](int kind) {
               return CsvOfRecords(x_.document.List().Held(),
                                   kind == 1 ? CsvSeparator::Semicolon : CsvSeparator::Comma);
           });
}

void FileMenu::ExportPdf_Click() {
    Export(QStringLiteral("Export PDF report"), {QStringLiteral("PDF files (*.pdf)")}, 0, QStringLiteral("pdf"),
           [this](int) {
               return PdfReport(PdfReportContent{x_.document.List().Lines(), stats_.CurrentAverageMode(),
                                                 graph_.TimeUnit(), x_.clock.Today()});
           });
}

// The file is chosen in the platform's save dialog, beside the data file; the content is made only
// once one is chosen. The user hears where it went and how many exams it holds.
void FileMenu::Export(const QString& title, const QStringList& filters, int preferred, const QString& suffix,
                      const std::function<QByteArray(int kind)>& content) {
    int kind = preferred;
    const QString path =
        x_.messages.SaveFileName(title, Suggested(x_.document.Path(), suffix), filters, kind, suffix);
    if (path.isEmpty())
        return;
    if (const auto error = ReplaceWholeFile(path, content(kind))) {
        x_.messages.MsgBox(ExportFailureMessage(QFileInfo(path).fileName(), *error), Exclamation, kTitle);
        return;
    }
    const int count = x_.document.Count();
    x_.messages.MsgBox(QStringLiteral("%1 %2 exported to %3")
                           .arg(count)
                           .arg(count == 1 ? QStringLiteral("exam") : QStringLiteral("exams"),
                                QDir::toNativeSeparators(path)),
                       Information, kTitle);
}

void FileMenu::Undo_Click() {
    x_.document.Undo();
    x_.screen.RefreshCurrent();
}

void FileMenu::Redo_Click() {
    x_.document.Redo();
    x_.screen.RefreshCurrent();
}

bool FileMenu::Form_Unload() { return MayDropChanges(); }

// Follows every change of the list. The list, once it has held an exam, stays on the menu; Erase exam(s) has
// nothing to do in an empty list. Undo and Redo say what they would do.
void FileMenu::FollowRecord() {
    const ExamDocument& document = x_.document;
    if (document.Count() > 0)
        x_.m.ShowExams->setEnabled(true);
    else
        x_.m.EraseExams->setEnabled(false);
    x_.m.Undo->setEnabled(document.CanUndo());
    x_.m.Redo->setEnabled(document.CanRedo());
    x_.m.Undo->setText(document.CanUndo() ? QStringLiteral("&Undo ") + document.UndoText()
                                          : QStringLiteral("&Undo"));
    x_.m.Redo->setText(document.CanRedo() ? QStringLiteral("&Redo ") + document.RedoText()
                                          : QStringLiteral("&Redo"));
}

} // namespace examora
