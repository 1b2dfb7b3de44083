// The record as the window holds it: each change one step of the history, and unsaved changes told
// from the history's clean state, a read and a save.
#include "document/exam_document.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace examora;

namespace {

QString Exam(const QString& name, int mark = 28) { return name + QStringLiteral(";1/1/2006;%1;6").arg(mark); }

QByteArray Bytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

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

    // A save after another program wrote the file: what this side did, what the disk now holds, and
    // what the file holds after the merge. Steps: "+Name" adds, "-Name" erases, "~Name" changes the
    // mark to 30, "u" undoes, "?yes"/"?no" answers the question before exams held here are dropped.
    void saveMergesWhatBothSidesDid_data() {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QStringList>("dropped"); // what the question named, if it was asked
        QTest::addColumn<QStringList>("conflicts");
        QTest::addColumn<bool>("damaged");
        using L = QStringList;
        const L three{Exam("A"), Exam("B"), Exam("C")};
        const QByteArray plusD = Bytes(three + L{Exam("D")});
        QTest::newRow("erasure alone")
            << three << L{"-B"} << plusD << Bytes({Exam("A"), Exam("C"), Exam("D")}) << L{} << L{} << false;
        QTest::newRow("erasure then undo") << three << L{"-B", "u"} << plusD << plusD << L{} << L{} << false;
        QTest::newRow("change in place")
            << three << L{"~B"} << plusD << Bytes({Exam("A"), Exam("B", 30), Exam("C"), Exam("D")}) << L{}
            << L{} << false;
        QTest::newRow("added and erased here")
            << three << L{"+X", "-X"} << plusD << plusD << L{} << L{} << false;
        QTest::newRow("a duplicate erased in two windows")
            << L{Exam("A"), Exam("A"), Exam("B")} << L{"-A"} << Bytes({Exam("A"), Exam("B")})
            << Bytes({Exam("A"), Exam("B")}) << L{} << L{} << false;
        QTest::newRow("emptied by another program")
            << three << L{"+X"} << QByteArray() << Bytes(three + L{Exam("X")}) << L{} << L{} << true;
        QTest::newRow("cut in a line") << three << L{"+X"} << Bytes({Exam("A"), Exam("B")}) + "Ch"
                                       << Bytes(three + L{Exam("X")}) << L{} << L{} << true;
        QTest::newRow("erased there, kept here") << three << L{"?no"} << Bytes({Exam("A")}) << Bytes(three)
                                                 << L{Exam("B"), Exam("C")} << L{} << false;
        QTest::newRow("erased there, erased here too")
            << three << L{"?yes"} << Bytes({Exam("A")}) << Bytes({Exam("A")}) << L{Exam("B"), Exam("C")}
            << L{} << false;
        QTest::newRow("changed on both sides")
            << three << L{"~B"} << Bytes({Exam("A"), Exam("B", 18), Exam("C")})
            << Bytes({Exam("A"), Exam("B", 18), Exam("B", 30), Exam("C")}) << L{} << L{"B"} << false;
    }
    void saveMergesWhatBothSidesDid() {
        QFETCH(QStringList, file);
        QFETCH(QStringList, steps);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Examora.TXT"));
        Write(path, Bytes(file));
        ExamDocument document(path);
        document.Read();
        bool drop = false;
        for (const QString& step : std::as_const(steps)) {
            const QString name = step.mid(1);
            const int row = document.List().Find(Exam(name));
            if (step.startsWith(u'+'))
                document.Insert(Exam(name));
            else if (step.startsWith(u'-')) {
                document.List().SetSelected(row, true);
                document.EraseChecked();
            } else if (step.startsWith(u'~'))
                document.Change(row, Exam(name, 30));
            else if (step == QLatin1String("u"))
                document.Undo();
            else
                drop = step == QLatin1String("?yes");
        }
        QFETCH(QByteArray, disk);
        Write(path, disk);
        const QStringList before = document.List().Lines();
        QStringList asked;
        const ExamDocument::SaveResult saved = document.Save([&](const QStringList& dropped) {
            asked = dropped;
            return drop;
        });
        QVERIFY(saved.merged);
        QTEST(saved.damaged, "damaged");
        QTEST(Read(path), "saved");
        QTEST(asked, "dropped");
        QTEST(saved.conflicts, "conflicts");
        QCOMPARE(Bytes(document.List().Lines()) + document.Kept().FileBytes(), Read(path));
        // The merge is one step: undone, the list is what it was before the save, and unsaved.
        const QStringList merged = document.List().Lines();
        QCOMPARE(document.UndoText(), QStringLiteral("merge with Examora.TXT"));
        document.Undo();
        QVERIFY(document.List().Lines() == before && document.Unsaved());
        document.Redo();
        QVERIFY(document.List().Lines() == merged && !document.Unsaved());
    }

    // Another program writes the file while the question waits for its answer: the save sees it
    // before its file takes the place of the old one, and merges that writer's exam too.
    void aWriterDuringTheSaveIsMerged() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Examora.TXT"));
        Write(path, Bytes({Exam("A"), Exam("B")}));
        ExamDocument document(path);
        document.Read();
        Write(path, Bytes({Exam("A")}));
        int asked = 0;
        const ExamDocument::SaveResult saved = document.Save([&](const QStringList&) {
            if (++asked == 1)
                Write(path, Bytes({Exam("A"), Exam("D")}));
            return false;
        });
        QVERIFY(saved.merged);
        QCOMPARE(asked, 2);
        QCOMPARE(Read(path), Bytes({Exam("A"), Exam("B"), Exam("D")}));
    }

    // A line that is no exam stays through saves; a large file saved twice with nothing changed on
    // disk is written, not merged.
    void savesWithoutChangesOnDisk() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Examora.TXT"));
        QStringList lines;
        for (int i = 0; i < 4000; ++i)
            lines.append(Exam(QStringLiteral("Exam %1").arg(i, 4, 10, QLatin1Char('0'))));
        Write(path, Bytes(lines) + "a note\r\n");
        ExamDocument document(path);
        document.Read();
        QCOMPARE(document.Kept().Lines(), QStringList{"a note"});
        QVERIFY(Read(path).size() > 65536);
        for (int save = 0; save < 2; ++save) {
            document.Insert(Exam(QStringLiteral("New %1").arg(save)));
            QVERIFY(!document.Save().merged);
        }
        QCOMPARE(document.Count(), 4002);
        QVERIFY(Read(path).endsWith("a note\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
