// The File menu's commands, the readers and the writer of the data file, and the question asked
// when the window closes with unsaved changes.
#include "app/form1.h"
#include "platform/text_file.h"
#include "records/data_file.h"

namespace examora {
namespace {

const QString kTitle = QStringLiteral("Examora");

} // namespace

void Form1::LoadDataAtStart() { ReadDataFile(false); }

void Form1::LoadDataFile() { ReadDataFile(true); }

// At start only the corrupted-file warning is shown; the Load command reports every outcome.
void Form1::ReadDataFile(bool reportToUser) {
    ExamList->Clear();
    ForgetListHistory();
    dataChanged = false;
    const FileRead file = ReadWholeFile(dataFilePath, kMaxDataFileBytes);
    if (!file.ok) {
        if (reportToUser)
            messages_.MsgBox(file.error, Exclamation, kTitle);
        return;
    }
    ExamList->Store().ReplaceAll(RecordLinesOf(DecodeDataLines(file.bytes)));
    if (ExamList->ListCount() > 0) {
        ShowExams->setEnabled(true);
    } else if (!file.bytes.isEmpty()) {
        // Content, but not one record in it. An empty file is what saving no exams leaves.
        messages_.MsgBox(QStringLiteral("WARNING : Corrupted file "), Exclamation, kTitle);
        return;
    }
    if (reportToUser)
        messages_.MsgBox(dataFileName + QStringLiteral(" Loaded"), Information, kTitle);
}

bool Form1::SaveDataFile() {
    // An empty list writes an empty file, so that erased exams do not come back at the next start.
    if (const auto error = ReplaceWholeFile(dataFilePath, EncodeDataLines(ExamList->Lines()))) {
        messages_.MsgBox(*error, Exclamation, kTitle);
        return false;
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
    if (messages_.MsgBox(QStringLiteral("Do you want to save changes ?"), YesNoQuestion, kTitle) != AnswerYes)
        return true;
    // A save that fails keeps the window open with the records held: the user may try again, or
    // close again and answer No.
    return SaveDataFile();
}

} // namespace examora
