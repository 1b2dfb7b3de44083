// The File menu's commands, the readers and the writer of the data file, and the questions asked
// before unsaved changes could be lost.
#include "app/form1.h"
#include "records/data_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

} // namespace

void Form1::LoadDataAtStart() { ReadDataFile(false); }

void Form1::LoadDataFile() {
    if (dataChanged) {
        const int answer = messages_.MsgBox(kSaveQuestion, YesNoQuestion, kTitle);
        if (answer == AnswerYes ? !SaveDataFile() : answer != AnswerNo)
            return;
    }
    ReadDataFile(true);
}

// At start only warnings are shown; the Load command reports every outcome. A read that fails
// leaves the held exams as they were, and a file that exists but could not be read is not
// replaced by a save until it has been read.
void Form1::ReadDataFile(bool reportToUser) {
    DataFileKeeper::ReadOutcome read = dataFile_.Read(ReadingProgress());
    if (readProgress_)
        readProgress_->hide();
    if (read.kind != DataFileKeeper::ReadOutcome::Done) {
        if (reportToUser || read.kind == DataFileKeeper::ReadOutcome::Failed)
            messages_.MsgBox(read.error, Exclamation, kTitle);
        return;
    }
    dataChanged = false;
    ExamList->Store().ReplaceAllSorted(std::move(read.records));
    ForgetListHistory();
    const qsizetype kept = dataFile_.Kept().size();
    if (ExamList->ListCount() > 0) {
        ShowExams->setEnabled(true);
        if (kept > 0)
            messages_.MsgBox(KeptLinesWarning(dataFileName, kept), Exclamation, kTitle);
    } else if (read.byteCount > 0) {
        // Content, but not one record in it. An empty file is what saving no exams leaves.
        messages_.MsgBox(QStringLiteral("WARNING : Corrupted file "), Exclamation, kTitle);
        return;
    }
    if (reportToUser)
        messages_.MsgBox(dataFileName + QStringLiteral(" Loaded"), Information, kTitle);
}

// A read that takes longer than half a second says how far it has come, over the surface, and lets
// the window paint itself meanwhile; the user's input waits for the end of the read.
std::function<void(qint64, qint64)> Form1::ReadingProgress() {
    QElapsedTimer clock;
    clock.start();
    return [this, clock, shown = qint64{0}](qint64 done, qint64 total) mutable {
        const qint64 now = clock.elapsed();
        if (now < 500 || now - shown < 100 || total <= 0)
            return;
        shown = now;
        if (!readProgress_) {
            readProgress_ = new QLabel(surface);
            readProgress_->setObjectName(QStringLiteral("ReadProgress"));
            readProgress_->setAlignment(Qt::AlignCenter);
            readProgress_->setStyleSheet(QStringLiteral("color: white; font-size: 20pt;"));
        }
        readProgress_->setText(QStringLiteral("Reading %1: %2%").arg(dataFileName).arg(done * 100 / total));
        readProgress_->setGeometry(surface->rect());
        readProgress_->show();
        readProgress_->raise();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

bool Form1::SaveDataFile() {
    ExamListModel& store = ExamList->Store();
    DataFileKeeper::SaveOutcome saved = dataFile_.Save(store.Held(), store.Changes());
    if (saved.kind == DataFileKeeper::SaveOutcome::NotRead) {
        messages_.MsgBox(dataFileName + QStringLiteral(" could not be read, so it was not replaced: ") + saved.error,
                         Exclamation, kTitle);
        return false;
    }
    if (saved.kind == DataFileKeeper::SaveOutcome::Failed) {
        messages_.MsgBox(saved.error, Exclamation, kTitle);
        return false;
    }
    if (saved.merged) {
        store.ReplaceAllSorted(std::move(*saved.merged));
        ForgetListHistory();
        if (store.ListCount() > 0)
            ShowExams->setEnabled(true);
        messages_.MsgBox(dataFileName +
                             QStringLiteral(" was changed by another program since it was read. Its changes "
                                            "and yours were merged."),
                         Information, kTitle);
    } else {
        store.ForgetChanges();
    }
    messages_.MsgBox(QStringLiteral("Data saved to ") + dataFileName, Information, kTitle);
    MarkListSaved();
    dataChanged = false;
    return true;
}

void Form1::File_Click() {
    graphShown = false;
    SetCaption(kTitle);
}

bool Form1::Form_Unload() {
    if (!dataChanged)
        return true;
    // Only Yes and No close: a question dismissed without an answer keeps the window open.
    const int answer = messages_.MsgBox(kSaveQuestion, YesNoQuestion, kTitle);
    if (answer == AnswerNo)
        return true;
    // A save that fails keeps the window open with the records held: the user may try again, or
    // close again and answer No.
    return answer == AnswerYes && SaveDataFile();
}

} // namespace examora
