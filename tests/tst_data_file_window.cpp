// The data file as the user meets it on the window: the reader at start and the Load command with
// what they report, Save byte for byte, and the question on closing with Yes, No and a failed save.
#include "datafile/data_file.h"
#include "records/conversions.h"
#include "records/record_line.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <algorithm>

using namespace examora;
using namespace examora::testing;

namespace {

// Each message as "text|flags".
const QString kCorrupted = QStringLiteral("WARNING : Corrupted file |48");
const QString kOneKept =
    QStringLiteral("WARNING : 1 line of Examora.TXT could not be read. It is kept in the file "
                   "unchanged.|48");
const QString kLoaded = QStringLiteral("Examora.TXT Loaded|64");
const QString kSaved = QStringLiteral("Data saved to Examora.TXT|64");
const QString kQuestion = QStringLiteral("Do you want to save changes ?|36");

// "text|flags" for each message shown, and every one titled "Examora".
QStringList Shown(const ScriptedMessages& messages) {
    QStringList shown;
    for (const Prompt& p : messages.prompts) {
        if (p.title != QLatin1String("Examora"))
            shown.append(QStringLiteral("wrong title: ") + p.title);
        shown.append(p.text + u'|' + QString::number(p.flags));
    }
    return shown;
}

void AddExam(WindowFixture& fixture, const QString& name) {
    fixture.choose(QStringLiteral("AddExam"));
    fixture.typeExam(name, QStringLiteral("25"), QStringLiteral("6"));
}

const QByteArray kTwoInDateOrder = "Physics;12/6/2006;27;9\r\nAnalysis;1/15/2007;30;6\r\n";
const QByteArray kWithChemistry =
    "Analysis;1/15/2007;30;6\r\nChemistry;12/7/2026;25;6\r\nPhysics;12/6/2006;27;9\r\n";

enum Before { Changed, FailedThenLifted, FailedStill };

} // namespace

class TestDataFileWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // At start only warnings are shown; Load reports every outcome, after asking about unsaved
    // exams (No discards them).
    void startAndLoadReportWhatTheyRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QStringList>("atStart");
        QTest::addColumn<QStringList>("onLoad");
        const QStringList none;
        QTest::newRow("zero bytes: an empty list") << QByteArray("") << none << none << QStringList{kLoaded};
        QTest::newRow("one empty line")
            << QByteArray("\r\n") << none << QStringList{kCorrupted} << QStringList{kCorrupted};
        QTest::newRow("only lines that are no records") << QByteArray("abc\r\nMath;;28;9\r\n") << none
                                                        << QStringList{kCorrupted} << QStringList{kCorrupted};
        const QString twoKept =
            QStringLiteral("WARNING : 2 lines of Examora.TXT could not be read. They are kept in "
                           "the file unchanged.|48");
        QTest::newRow("lines that are no records are counted; empty ones are not")
            << QByteArray("abc\r\nPhysics;12/6/2006;27;9\r\n\r\nMath;3/7/2006;28\r\n")
            << QStringList{"Physics;12/6/2006;27;9"} << QStringList{twoKept} << QStringList{twoKept, kLoaded};
        QByteArray huge(100 * 1024 * 1024, 'x');
        huge.replace(0, 3, "a;b");
        QTest::newRow("a line of 100 MB is kept, but no record")
            << huge + "\r\nPhysics;12/6/2006;27;9\r\n"
            << QStringList{"Physics;12/6/2006;27;9"} << QStringList{kOneKept}
            << QStringList{kOneKept, kLoaded};
        QTest::newRow("LF ends and a last line without an end")
            << QByteArray("Physics;12/6/2006;27;9\nAnalysis;1/15/2007;30;6")
            << QStringList{"Analysis;1/15/2007;30;6", "Physics;12/6/2006;27;9"} << none
            << QStringList{kLoaded};
    }
    void startAndLoadReportWhatTheyRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, held);
        QFETCH(QStringList, atStart);
        QFETCH(QStringList, onLoad);
        WindowFixture fixture(bytes);
        QCOMPARE(fixture.lines(), held);
        QCOMPARE(Shown(fixture.messages()), atStart);
        QCOMPARE(fixture.action("ShowExams")->isEnabled(), !held.isEmpty());
        AddExam(fixture, QStringLiteral("Unsaved"));
        fixture.messages().prompts.clear();
        fixture.choose("Load");
        QCOMPARE(fixture.lines(), held);
        // The insertion enabled List; a read leaves it so. Nothing is unsaved: closing asks nothing.
        QVERIFY(fixture.action("ShowExams")->isEnabled());
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()), QStringList{kQuestion} + onLoad);
    }

    // A file too large to read is told at start and never replaced by a save, also not the one
    // asked for on closing, until a Load has read it.
    void fileThatCouldNotBeReadIsNeverReplaced() {
        QByteArray big = kTwoInDateOrder;
        big.resize(kMaxDataFileBytes + 1, 'x');
        WindowFixture fixture(big);
        big.clear();
        const QString tooLarge = fixture.messages().prompts.value(0).text;
        QVERIFY2(tooLarge.startsWith(QStringLiteral("Examora.TXT could not be read: it is too large (")),
                 qPrintable(tooLarge));
        const QString reason = tooLarge.section(QStringLiteral(": "), 1);
        AddExam(fixture, QStringLiteral("Chemistry"));
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(!fixture.window().close());
        QCOMPARE(QFileInfo(fixture.dataFilePath()).size(), kMaxDataFileBytes + 1);
        QCOMPARE(fixture.lines().size(), 1);
        // Dismissing the question (Escape) keeps the window open too; only No closes unsaved.
        fixture.messages().AnswerNext(AnswerCancel);
        QVERIFY(!fixture.window().close());
        fixture.messages().AnswerNext(AnswerNo);
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()),
                 (QStringList{tooLarge + "|48", kQuestion,
                              "Examora.TXT could not be read, so it was not replaced: " + reason + "|48",
                              kQuestion, kQuestion}));
    }

    // A Load that fails shows the platform's text and leaves the held exams as they were.
    void failedLoadShowsThePlatformText_data() {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no file") << false << "Examora.TXT could not be read: No such file or directory|48";
        QTest::newRow("a folder in its place")
            << true << "Examora.TXT could not be read: it is a directory, not a file|48";
    }
    void failedLoadShowsThePlatformText() {
        QFETCH(bool, folder);
        QFETCH(QString, shown);
        WindowFixture fixture(kTwoInDateOrder);
        QVERIFY(QFile::remove(fixture.dataFilePath()));
        QVERIFY(!folder || QDir().mkdir(fixture.dataFilePath()));
        fixture.choose("Load");
        QCOMPARE(fixture.lines().size(), 2);
        QVERIFY(fixture.action("ShowExams")->isEnabled());
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()), QStringList{shown});
    }

    // Save writes the records sorted ignoring case, in UTF-8 (a Windows-1252 file is read as
    // such), with CR LF, and then the line that is no record; a Load reads the same back.
    void saveWritesTheSortedListInUtf8WithCrLf() {
        WindowFixture fixture(
            QByteArray("zoology;1/2/2007;30;6\r\n\r\nUniversit\xe0;1/2/2007;30;6\r\n"
                       "Physics;12/6/2006;27;9\nabc\r\nalgebra;1/15/2007;30;6\r\nAlgebra;1/15/2007;28;6"));
        const QStringList sorted{"Algebra;1/15/2007;28;6", "algebra;1/15/2007;30;6", "Physics;12/6/2006;27;9",
                                 QString::fromUtf8("Università;1/2/2007;30;6"), "zoology;1/2/2007;30;6"};
        QCOMPARE(fixture.lines(), sorted);
        fixture.choose("Save");
        QCOMPARE(fixture.dataFileBytes(), DataFile(sorted + QStringList{"abc"}));
        fixture.choose("Load");
        QCOMPARE(fixture.lines(), sorted);
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()), (QStringList{kOneKept, kSaved, kOneKept, kLoaded}));
    }

    // Erasing every exam is a change: Load asks first, and a dismissed question changes nothing.
    // Yes saves first, an empty file so that the exams stay gone, which reads back without a warning.
    void erasingEveryExamAndSavingLeavesAnEmptyFile() {
        WindowFixture fixture(kTwoInDateOrder);
        fixture.choose("ShowExams");
        fixture.setChecked(0, true);
        fixture.setChecked(1, true);
        QVERIFY(fixture.action("EraseExams")->isVisible());
        fixture.choose("EraseExams");
        QCOMPARE(fixture.lines(), QStringList{});
        fixture.messages().AnswerNext(AnswerCancel);
        fixture.choose("Load");
        QCOMPARE(fixture.lines(), QStringList{});
        QCOMPARE(fixture.dataFileBytes(), kTwoInDateOrder);
        fixture.messages().AnswerNext(AnswerYes);
        fixture.choose("Load");
        QVERIFY(QFileInfo(fixture.dataFilePath()).isFile());
        QCOMPARE(fixture.dataFileBytes(), QByteArray());
        QCOMPARE(fixture.lines(), QStringList{});
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()), (QStringList{kQuestion, kQuestion, kSaved, kLoaded}));
    }

    // Another program (a second window, a sync folder) changed the file since it was read: the
    // save keeps its changes and these, tells so once, and the view on screen shows the merge. An
    // exam it erased goes here too only if the user says Yes.
    void fileChangedOnDiskIsMergedOnSave_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes erases it here too") << int(AnswerYes);
        QTest::newRow("No keeps it") << int(AnswerNo);
    }
    void fileChangedOnDiskIsMergedOnSave() {
        QFETCH(int, answer);
        WindowFixture fixture(kTwoInDateOrder + "abc\r\n");
        AddExam(fixture, QStringLiteral("Chemistry"));
        QCOMPARE(fixture.label(0)->Caption(), QStringLiteral("Exam  4"));
        fixture.writeDataFile(
            "Biology;3/3/2008;28;6\r\nAnalysis;1/15/2007;30;6\r\nGeometry;2/2/2008;24;3\r\nabc\r\n");
        fixture.messages().prompts.clear();
        fixture.messages().AnswerNext(answer);
        fixture.choose("Save");
        QStringList merged{"Analysis;1/15/2007;30;6", "Biology;3/3/2008;28;6", "Chemistry;12/7/2026;25;6",
                           "Geometry;2/2/2008;24;3"};
        if (answer == AnswerNo)
            merged.append(QStringLiteral("Physics;12/6/2006;27;9"));
        QCOMPARE(fixture.dataFileBytes(), DataFile(merged + QStringList{"abc"}));
        QCOMPARE(fixture.lines(), merged);
        QCOMPARE(fixture.label(0)->Caption(), QStringLiteral("Exam  %1").arg(merged.size() + 1));
        // Saved again with nothing changed on disk: no second merge.
        fixture.choose("Save");
        QCOMPARE(Shown(fixture.messages()),
                 (QStringList{
                     QStringLiteral("Examora.TXT no longer holds 1 of the exams held here (another program "
                                    "erased them):\nPhysics;12/6/2006;27;9\n\nErase them here too ? No "
                                    "keeps them in the file.|36"),
                     QStringLiteral("Examora.TXT was changed by another program since it was read. Its "
                                    "changes and yours were merged.|64"),
                     kSaved, kSaved}));
    }

    // Exams written under one language and read under another lose nothing and move to no other
    // day: the file's own day-first dates decide how 05/02 reads, and a new exam follows them.
    void fileWrittenUnderItalianReadsTheSameUnderCAndEnglish_data() {
        QTest::addColumn<QString>("reader");
        QTest::newRow("C") << "C";
        QTest::newRow("en_US") << "en_US";
    }
    void fileWrittenUnderItalianReadsTheSameUnderCAndEnglish() {
        QFETCH(QString, reader);
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        const QList<QDate> days{{2023, 1, 13}, {2023, 2, 5}, {2023, 4, 3}, {2022, 12, 11}, {2023, 6, 7}};
        QStringList lines;
        for (const QDate& day : days)
            lines.append(QStringLiteral("Esame %1;%2;28;9")
                             .arg(lines.size())
                             .arg(FormatDateTime(day, DateFormat::Short)));
        lines.append(QStringLiteral("Nota;scritta a mano"));
        QLocale::setDefault(QLocale(reader));
        WindowFixture fixture(DataFile(lines));
        QCOMPARE(fixture.lines().size(), days.size());
        for (int i = 0; i < days.size(); ++i)
            QCOMPARE(DateValue(RecordParts(fixture.lines()[i])[1]), days[i]);
        fixture.choose("AddExam");
        fixture.typeExam(QStringLiteral("Zoologia"), QStringLiteral("30"), QStringLiteral("6"));
        QCOMPARE(DateValue(RecordParts(fixture.lines().value(days.size()))[1]), QDate(2026, 12, 7));
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(fixture.window().close());
        const QStringList saved = QString::fromUtf8(fixture.dataFileBytes()).split(QStringLiteral("\r\n"));
        for (const QString& line : lines)
            QVERIFY2(saved.contains(line), qPrintable(line));
        QCOMPARE(saved.size(), lines.size() + 2);
    }

    // Closing with changes asks first: Yes saves, No leaves the file. A save that fails
    // (a folder where the file should be), from Save or on closing, shows the platform's text,
    // keeps the window open and the changes unsaved; the user may try again once the fault is
    // gone, or close again and answer No.
    void closingAsksAboutChanges_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("Yes saves") << int(Changed) << int(AnswerYes) << QStringList{kQuestion, kSaved}
                                   << kWithChemistry;
        QTest::newRow("No leaves the file")
            << int(Changed) << int(AnswerNo) << QStringList{kQuestion} << kTwoInDateOrder;
        QTest::newRow("failed, then Yes once the fault is gone")
            << int(FailedThenLifted) << int(AnswerYes) << QStringList{kQuestion, kSaved} << kWithChemistry;
        QTest::newRow("failed, then No while it lasts")
            << int(FailedStill) << int(AnswerNo) << QStringList{kQuestion} << QByteArray();
    }
    void closingAsksAboutChanges() {
        QFETCH(int, before);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        QFETCH(QByteArray, file);
        WindowFixture fixture(kTwoInDateOrder);
        const QString path = fixture.dataFilePath();
        AddExam(fixture, QStringLiteral("Chemistry"));
        if (before >= FailedThenLifted) {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkdir(path));
            fixture.choose("Save");
            fixture.messages().AnswerNext(AnswerYes);
            QVERIFY(!fixture.window().close());
            QVERIFY(fixture.window().isVisible());
            const QString failed =
                QStringLiteral("Examora.TXT could not be read, so it was not replaced: it is a directory, "
                               "not a file|48");
            QCOMPARE(Shown(fixture.messages()), (QStringList{failed, kQuestion, failed}));
            QCOMPARE(fixture.lines().size(), 3);
            fixture.messages().prompts.clear();
            if (before == FailedThenLifted)
                QVERIFY(QDir().rmdir(path));
        }
        fixture.messages().AnswerNext(answer);
        QVERIFY(fixture.window().close());
        QVERIFY(!fixture.window().isVisible());
        QCOMPARE(Shown(fixture.messages()), shown);
        QCOMPARE(fixture.dataFileBytes(), file);
        QCOMPARE(QFileInfo(path).isDir(), before == FailedStill);
    }

    // More lines than a 16-bit count: they load, sort and save like any others.
    void twoHundredThousandLinesLoadSortAndSave() {
        QStringList lines;
        for (int i = 199999; i >= 0; --i)
            lines.append(QStringLiteral("Exam %1;1/2/2007;%2;6").arg(i, 6, 10, QLatin1Char('0')).arg(i % 31));
        WindowFixture fixture(DataFile(lines));
        const QStringList held = fixture.lines();
        QCOMPARE(held.size(), 200000);
        QCOMPARE(Shown(fixture.messages()), QStringList{});
        QVERIFY(
            fixture.label(1)->Caption().startsWith(QStringLiteral("Overall mark"))); // the statistics view
        QCOMPARE(held.first(), QStringLiteral("Exam 000000;1/2/2007;0;6"));
        QCOMPARE(held.last(), QStringLiteral("Exam 199999;1/2/2007;18;6"));
        fixture.choose("Save");
        std::reverse(lines.begin(), lines.end());
        QCOMPARE(fixture.dataFileBytes(), DataFile(lines));
    }
};

QTEST_MAIN(TestDataFileWindow)
#include "tst_data_file_window.moc"
