// The record as the window holds it: each change one step of the history, and unsaved changes told
// from the history's clean state, a read and a save.
#include "document/exam_document.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace examora;

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void historyAndUnsavedChanges() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Examora.TXT"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Beta;1/2/2006;25;6\r\nAlpha;1/1/2006;28;6\r\n");
        file.close();
        ExamDocument document(path);
        QCOMPARE(document.Read().kind, ExamDocument::ReadResult::Done);
        QVERIFY(!document.Unsaved() && !document.CanUndo());

        QCOMPARE(document.Insert(QStringLiteral("Gamma;1/3/2006;30;9")), 2);
        QCOMPARE(document.Change(0, QStringLiteral("Delta;1/4/2006;27;6")), 1);
        QCOMPARE(document.UndoText(), QStringLiteral("change Alpha"));
        QCOMPARE(document.Undo(), 0);
        QCOMPARE(document.List().List(0), QStringLiteral("Alpha;1/1/2006;28;6"));
        QCOMPARE(document.RedoText(), QStringLiteral("change Alpha"));
        QCOMPARE(document.Undo(), -1);
        QVERIFY(!document.Unsaved()); // back where the read left it
        QCOMPARE(document.RedoText(), QStringLiteral("add Gamma"));

        // A new step drops what could be redone; the read's state can no longer be reached.
        document.List().SetSelected(0, true);
        document.List().SetSelected(1, true);
        QCOMPARE(document.EraseChecked(), 2);
        QCOMPARE(document.UndoText(), QStringLiteral("erase 2 exams"));
        QVERIFY(!document.CanRedo() && document.Unsaved());
        QCOMPARE(document.Save().kind, ExamDocument::SaveResult::Written);
        QVERIFY(!document.Unsaved());
        QCOMPARE(document.Undo(), 0);
        QVERIFY(document.Unsaved());
        QCOMPARE(document.Redo(), -1);
        QVERIFY(!document.Unsaved());

        // Erasing with nothing checked changes nothing, yet counts as a change to save.
        QCOMPARE(document.EraseChecked(), 0);
        QVERIFY(document.Unsaved() && document.CanUndo());
        QCOMPARE(document.Read().kind, ExamDocument::ReadResult::Done);
        QVERIFY(!document.Unsaved() && !document.CanUndo());
        QCOMPARE(document.Count(), 0);
        document.Insert(QStringLiteral("Alpha;1/1/2006;28;6"));
        QCOMPARE(document.UndoText(), QStringLiteral("add Alpha"));
        document.List().SetSelected(0, true);
        document.EraseChecked();
        QCOMPARE(document.UndoText(), QStringLiteral("erase Alpha"));
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
