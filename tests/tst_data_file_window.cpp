// The data file as the user meets it on the window: the reader at start and the Load command with
// what they report, Save byte for byte, and the question on closing with Yes, No and a failed save.
#include "records/conversions.h"
#include "records/data_file.h"
#include "records/record_line.h"
#include "support/as_nobody.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <unistd.h>

using namespace examora;
using namespace examora::testing;

namespace {

const QString kCorrupted = QStringLiteral("WARNING : Corrupted file ");
const QString kLoaded = QStringLiteral("Examora.TXT Loaded");
const QString kSaved = QStringLiteral("Data saved to Examora.TXT");
const QString kQuestion = QStringLiteral("Do you want to save changes ?");

// "text|flags" for each prompt, and every prompt titled "Examora".
QStringList Shown(const ScriptedMessages& messages) {
    QStringList shown;
    for (const Prompt& p : messages.prompts) {
        if (p.title != QLatin1String("Examora"))
            shown.append(QStringLiteral("wrong title: ") + p.title);
        shown.append(p.text + u'|' + QString::number(p.flags));
    }
    return shown;
}

QStringList Held(Form1& w) {
    QStringList lines;
    for (int i = 0; i < w.ExamList->ListCount(); ++i)
        lines.append(w.ExamList->List(i));
    return lines;
}

// Types one exam into the entry panel and inserts it, as a user would.
void EnterExam(Form1& w, const QString& name, const QString& mark, const QString& credits) {
    w.AddExam->trigger();
    QTest::keyClicks(w.Text[0], name);
    QTest::keyClicks(w.Text[2], mark);
    QTest::keyClicks(w.Text[3], credits);
    QTRY_VERIFY(w.ExamComm->isEnabled());
    QTest::mouseClick(w.ExamComm, Qt::LeftButton);
}

QByteArray Garbage() {
    QByteArray bytes;
    quint32 x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        const char c = static_cast<char>(x >> 24);
        bytes.append(c == ';' ? 'x' : c);
    }
    return bytes;
}

const QByteArray kTwoInDateOrder = "Physics;12/6/2006;27;9\r\nAnalysis;1/15/2007;30;6\r\n";

} // namespace

class TestDataFileWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void startReadsWithoutReportingButTheWarning_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QStringList>("shown");
        const QStringList none;
        const QStringList warning{kCorrupted + QStringLiteral("|48")};
        QTest::newRow("zero bytes: no records, no warning") << QByteArray("") << none << none;
        QTest::newRow("one empty line") << QByteArray("\r\n") << none << warning;
        QTest::newRow("only lines that are no records")
            << QByteArray("abc\r\nMath;;28;9\r\n") << none << warning;
        QTest::newRow("binary garbage") << Garbage() << none << warning;
        QTest::newRow("NUL bytes") << QByteArray(300, '\0') << none << warning;
        QTest::newRow("lines that are no records are counted; empty ones are not")
            << QByteArray("abc\r\nPhysics;12/6/2006;27;9\r\n\r\nMath;3/7/2006;28\r\n")
            << QStringList{"Physics;12/6/2006;27;9"}
            << QStringList{QStringLiteral("WARNING : 2 lines of Examora.TXT could not be read. They are kept in "
                                          "the file unchanged.|48")};
        QTest::newRow("LF ends and a last line without an end")
            << QByteArray("Physics;12/6/2006;27;9\nAnalysis;1/15/2007;30;6")
            << QStringList{"Analysis;1/15/2007;30;6", "Physics;12/6/2006;27;9"} << none;
    }
    void startReadsWithoutReportingButTheWarning() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, held);
        QFETCH(QStringList, shown);
        WindowFixture fixture(bytes);
        QCOMPARE(Held(fixture.window()), held);
        QCOMPARE(Shown(fixture.messages()), shown);
        QCOMPARE(fixture.window().ShowExams->isEnabled(), !held.isEmpty());
        QVERIFY(!fixture.window().dataChanged);
    }

    // A file too large to read is told at start and never replaced by a save, also not the one
    // asked for on closing, until a Load has read it.
    void fileThatCouldNotBeReadIsNeverReplaced() {
        QByteArray big = kTwoInDateOrder;
        big.resize(kMaxDataFileBytes + 1, 'x');
        WindowFixture fixture(big);
        Form1& w = fixture.window();
        big.clear();
        QCOMPARE(fixture.messages().prompts.size(), 1);
        QVERIFY(fixture.messages().prompts[0].text.contains(QStringLiteral("too large")));
        QCOMPARE(fixture.messages().prompts[0].flags, 48);
        EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        fixture.messages().prompts.clear();
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(!w.close());
        QCOMPARE(fixture.messages().prompts.size(), 2);
        QVERIFY(fixture.messages().prompts[1].text.startsWith(
            QStringLiteral("Examora.TXT could not be read, so it was not replaced: ")));
        QCOMPARE(QFileInfo(fixture.dataFilePath()).size(), kMaxDataFileBytes + 1);
        QCOMPARE(w.ExamList->ListCount(), 1);
        // Dismissing the question (Escape) keeps the window open too; only No closes unsaved.
        fixture.messages().AnswerNext(AnswerCancel);
        QVERIFY(!w.close());
        fixture.messages().AnswerNext(AnswerNo);
        QVERIFY(w.close());
    }

    void loadReportsEveryOutcome_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("held");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("records") << kTwoInDateOrder << 2 << QStringList{kLoaded + QStringLiteral("|64")};
        QTest::newRow("zero bytes is an empty list") << QByteArray() << 0 << QStringList{kLoaded + QStringLiteral("|64")};
        QTest::newRow("one empty line") << QByteArray("\r\n") << 0 << QStringList{kCorrupted + QStringLiteral("|48")};
        QTest::newRow("abc") << QByteArray("abc") << 0 << QStringList{kCorrupted + QStringLiteral("|48")};
        QTest::newRow("binary garbage") << Garbage() << 0 << QStringList{kCorrupted + QStringLiteral("|48")};
        QTest::newRow("some bad lines")
            << QByteArray("abc\r\nPhysics;12/6/2006;27;9\r\n") << 1
            << QStringList{QStringLiteral("WARNING : 1 line of Examora.TXT could not be read. It is kept in the "
                                          "file unchanged.|48"),
                           kLoaded + QStringLiteral("|64")};
    }
    void loadReportsEveryOutcome() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, held);
        QFETCH(QStringList, shown);
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        EnterExam(w, QStringLiteral("Unsaved"), QStringLiteral("30"), QStringLiteral("6"));
        QVERIFY(w.dataChanged);
        fixture.writeDataFile(bytes);
        w.Load->trigger();
        // Unsaved exams are asked about; No discards them.
        QCOMPARE(Shown(fixture.messages()), (QStringList{kQuestion + QStringLiteral("|36")} + shown));
        QCOMPARE(w.ExamList->ListCount(), held);
        QVERIFY(!w.dataChanged);
        // ShowExams was enabled by the insertion and is left so.
        QVERIFY(w.ShowExams->isEnabled());
        fixture.messages().prompts.clear();
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(Shown(fixture.messages()), QStringList{});
    }

    void loadShowsThePlatformTextOnFailure() {
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        QVERIFY(QFile::remove(fixture.dataFilePath()));
        w.Load->trigger();
        QCOMPARE(Shown(fixture.messages()), QStringList{"No such file or directory|48"});
        // A Load that fails leaves the held exams as they were.
        QCOMPARE(w.ExamList->ListCount(), 2);
        QVERIFY(w.ShowExams->isEnabled());

        fixture.messages().prompts.clear();
        QVERIFY(QDir().mkdir(fixture.dataFilePath()));
        w.Load->trigger();
        QCOMPARE(fixture.messages().prompts.size(), 1);
        QVERIFY2(fixture.messages().prompts[0].text.contains(QStringLiteral("directory")),
                 qPrintable(fixture.messages().prompts[0].text));
        QCOMPARE(fixture.messages().prompts[0].flags, 48);
        QCOMPARE(fixture.messages().prompts[0].title, QStringLiteral("Examora"));
        w.close();
        QVERIFY(!w.isVisible());
    }

    void loadOfAnUnreadableFileShowsPermissionDenied() {
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        const QString dir = QFileInfo(fixture.dataFilePath()).path();
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(fixture.dataFilePath(), QFile::ReadOwner | QFile::WriteOwner));
        {
            const AsNobody nobody;
            if (!nobody.Ok())
                QSKIP("the test cannot act as the user nobody here");
            w.Load->trigger();
        }
        QCOMPARE(Shown(fixture.messages()), QStringList{"Permission denied|48"});
        QCOMPARE(w.ExamList->ListCount(), 2);
    }

    void lineOf100MegabytesIsKeptButNoRecord() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QByteArray line(100 * 1024 * 1024, 'x');
        line.replace(0, 3, "a;b");
        fixture.writeDataFile(line + "\r\nPhysics;12/6/2006;27;9\r\n");
        line.clear();
        w.Load->trigger();
        QCOMPARE(Shown(fixture.messages()),
                 (QStringList{QStringLiteral("WARNING : 1 line of Examora.TXT could not be read. It is kept in the "
                                             "file unchanged.|48"),
                              kLoaded + QStringLiteral("|64")}));
        QCOMPARE(Held(w), QStringList{"Physics;12/6/2006;27;9"});
    }

    void saveWritesTheSortedListWithCrLf() {
        WindowFixture fixture(QByteArray("zoology;1/2/2007;30;6\r\n\r\nPhysics;12/6/2006;27;9\nabc\r\n"
                                         "algebra;1/15/2007;30;6\r\nAlgebra;1/15/2007;28;6"));
        Form1& w = fixture.window();
        w.Save->trigger();
        QCOMPARE(Shown(fixture.messages()).last(), kSaved + QStringLiteral("|64"));
        // The line that is no record is written back after the records.
        QCOMPARE(fixture.dataFileBytes(), QByteArray("Algebra;1/15/2007;28;6\r\nalgebra;1/15/2007;30;6\r\n"
                                                     "Physics;12/6/2006;27;9\r\nzoology;1/2/2007;30;6\r\nabc\r\n"));
        QVERIFY(!w.dataChanged);
    }

    void windows1252FileIsSavedInUtf8() {
        WindowFixture fixture(QByteArray("Universit\xe0;1/2/2007;30;6\r\n"));
        Form1& w = fixture.window();
        QCOMPARE(Held(w), QStringList{QString::fromUtf8("Università;1/2/2007;30;6")});
        w.Save->trigger();
        QCOMPARE(fixture.dataFileBytes(), QByteArray("Universit\xc3\xa0;1/2/2007;30;6\r\n"));
        w.Load->trigger();
        QCOMPARE(Held(w), QStringList{QString::fromUtf8("Università;1/2/2007;30;6")});
    }

    // Erasing every exam and saving leaves an empty file, so that the exams stay gone.
    void savingNoExamsWritesAnEmptyFile() {
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        for (int i = 0; i < w.ExamList->ListCount(); ++i)
            w.ExamList->model()->setData(w.ExamList->model()->index(i, 0), Qt::Checked, Qt::CheckStateRole);
        QVERIFY(w.EraseExams->isVisible());
        w.EraseExams->trigger();
        QCOMPARE(w.ExamList->ListCount(), 0);
        QVERIFY(w.dataChanged);
        w.Save->trigger();
        QCOMPARE(Shown(fixture.messages()), QStringList{kSaved + QStringLiteral("|64")});
        QVERIFY(QFileInfo::exists(fixture.dataFilePath()));
        QCOMPARE(fixture.dataFileBytes(), QByteArray());
        fixture.messages().prompts.clear();
        w.LoadDataAtStart();
        QCOMPARE(Shown(fixture.messages()), QStringList{});
    }

    // Another program (a second window, a sync folder) changed the file since it was read: the
    // save keeps its changes and these, tells so once, and holds the merged list.
    void fileChangedOnDiskIsMergedOnSave() {
        WindowFixture fixture(kTwoInDateOrder + "abc\r\n");
        Form1& w = fixture.window();
        EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        fixture.writeDataFile("Biology;3/3/2008;28;6\r\nAnalysis;1/15/2007;30;6\r\nabc\r\n");
        fixture.messages().prompts.clear();
        w.Save->trigger();
        QCOMPARE(Shown(fixture.messages()),
                 (QStringList{QStringLiteral("Examora.TXT was changed by another program since it was read. Its "
                                             "changes and yours were merged.|64"),
                              kSaved + QStringLiteral("|64")}));
        const QStringList merged{"Analysis;1/15/2007;30;6", "Biology;3/3/2008;28;6", "Chemistry;12/7/2026;25;6"};
        QCOMPARE(fixture.dataFileBytes(), DataFile(merged + QStringList{"abc"}));
        QCOMPARE(Held(w), merged);
        // Saved again with nothing changed on disk: no second merge.
        fixture.messages().prompts.clear();
        w.Save->trigger();
        QCOMPARE(Shown(fixture.messages()), QStringList{kSaved + QStringLiteral("|64")});
    }

    // Load with unsaved changes asks first: a dismissed question keeps everything, Yes saves first.
    void loadAsksBeforeDiscardingChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("held");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("dismissed: nothing happens") << int(AnswerCancel) << 3
                                                   << QStringList{kQuestion + QStringLiteral("|36")};
        QTest::newRow("Yes saves, then reads") << int(AnswerYes) << 3
                                               << QStringList{kQuestion + QStringLiteral("|36"),
                                                              kSaved + QStringLiteral("|64"),
                                                              kLoaded + QStringLiteral("|64")};
    }
    void loadAsksBeforeDiscardingChanges() {
        QFETCH(int, answer);
        QFETCH(int, held);
        QFETCH(QStringList, shown);
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        fixture.messages().AnswerNext(answer);
        w.Load->trigger();
        QCOMPARE(Shown(fixture.messages()), shown);
        QCOMPARE(w.ExamList->ListCount(), held);
        QCOMPARE(w.dataChanged, answer == AnswerCancel);
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
            lines.append(QStringLiteral("Esame %1;%2;28;9").arg(lines.size()).arg(FormatDateTime(day, DateFormat::Short)));
        lines.append(QStringLiteral("Nota;scritta a mano"));
        QLocale::setDefault(QLocale(reader));
        WindowFixture fixture(DataFile(lines));
        Form1& w = fixture.window();
        QCOMPARE(w.ExamList->ListCount(), days.size());
        for (int i = 0; i < days.size(); ++i) {
            QCOMPARE(DateValue(RecordParts(w.ExamList->List(i))[1]), days[i]);
            QCOMPARE(w.ExamList->Store().Readings()[static_cast<std::size_t>(i)].date, days[i]);
        }
        EnterExam(w, QStringLiteral("Zoologia"), QStringLiteral("30"), QStringLiteral("6"));
        QCOMPARE(DateValue(RecordParts(w.ExamList->List(days.size()))[1]), QDate(2026, 12, 7));
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(w.close());
        const QStringList saved = QString::fromUtf8(fixture.dataFileBytes()).split(QStringLiteral("\r\n"));
        for (const QString& line : lines)
            QVERIFY2(saved.contains(line), qPrintable(line));
        QCOMPARE(saved.size(), lines.size() + 2);
    }

    void saveFailureKeepsTheChangesUnsaved() {
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        QVERIFY(QFile::remove(fixture.dataFilePath()));
        QVERIFY(QDir().mkdir(fixture.dataFilePath()));
        w.Save->trigger();
        QCOMPARE(fixture.messages().prompts.size(), 1);
        QCOMPARE(fixture.messages().prompts[0].flags, 48);
        QCOMPARE(fixture.messages().prompts[0].title, QStringLiteral("Examora"));
        QVERIFY(!fixture.messages().prompts[0].text.isEmpty());
        QVERIFY(w.dataChanged);
        QVERIFY(QFileInfo(fixture.dataFilePath()).isDir());
    }

    void closeAsksOnlyWhenThereAreChanges_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("saved");
        QTest::newRow("no changes: no question") << false << int(AnswerYes) << QStringList{} << false;
        QTest::newRow("Yes saves") << true << int(AnswerYes)
                                   << QStringList{kQuestion + QStringLiteral("|36"),
                                                  kSaved + QStringLiteral("|64")}
                                   << true;
        QTest::newRow("No leaves the file")
            << true << int(AnswerNo) << QStringList{kQuestion + QStringLiteral("|36")} << false;
    }
    void closeAsksOnlyWhenThereAreChanges() {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        QFETCH(bool, saved);
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        if (changed)
            EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        fixture.messages().AnswerNext(answer);
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(Shown(fixture.messages()), shown);
        const QByteArray withChemistry = QByteArray("Analysis;1/15/2007;30;6\r\nChemistry;12/7/2026;25;6\r\n"
                                                    "Physics;12/6/2006;27;9\r\n");
        QCOMPARE(fixture.dataFileBytes(), saved ? withChemistry : kTwoInDateOrder);
    }

    // A save that fails on closing keeps the window open with the records held; the user may try
    // again once the fault is gone, or close again and answer No.
    void failedSaveOnClosingKeepsTheWindowOpen() {
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        QVERIFY(QFile::remove(fixture.dataFilePath()));
        QVERIFY(QDir().mkdir(fixture.dataFilePath()));
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(fixture.messages().prompts.size(), 2);
        QCOMPARE(fixture.messages().prompts[0].text, kQuestion);
        QCOMPARE(fixture.messages().prompts[1].flags, 48);
        QVERIFY(!fixture.messages().prompts[1].text.isEmpty());
        QCOMPARE(w.ExamList->ListCount(), 3);
        QVERIFY(w.dataChanged);

        // Still failing, the user closes again and answers No: the window closes.
        fixture.messages().prompts.clear();
        fixture.messages().AnswerNext(AnswerNo);
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(Shown(fixture.messages()), QStringList{kQuestion + QStringLiteral("|36")});
    }

    void retryAfterAFailedSaveOnClosingSaves() {
        WindowFixture fixture(kTwoInDateOrder);
        Form1& w = fixture.window();
        EnterExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        QVERIFY(QFile::remove(fixture.dataFilePath()));
        QVERIFY(QDir().mkdir(fixture.dataFilePath()));
        fixture.messages().AnswerNext(AnswerYes);
        QCloseEvent refused;
        QApplication::sendEvent(&w, &refused);
        QVERIFY(!refused.isAccepted());
        QVERIFY(w.isVisible());

        QVERIFY(QDir().rmdir(fixture.dataFilePath()));
        fixture.messages().prompts.clear();
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(Shown(fixture.messages()),
                 (QStringList{kQuestion + QStringLiteral("|36"), kSaved + QStringLiteral("|64")}));
        QCOMPARE(fixture.dataFileBytes(), QByteArray("Analysis;1/15/2007;30;6\r\nChemistry;12/7/2026;25;6\r\n"
                                                     "Physics;12/6/2006;27;9\r\n"));
    }

    // More lines than a 16-bit count: they load, sort and save like any others.
    void twoHundredThousandLinesLoadSortAndSave() {
        QStringList lines;
        for (int i = 199999; i >= 0; --i)
            lines.append(QStringLiteral("Exam %1;1/2/2007;%2;6").arg(i, 6, 10, QLatin1Char('0')).arg(i % 31));
        WindowFixture fixture(DataFile(lines));
        Form1& w = fixture.window();
        QCOMPARE(w.ExamList->ListCount(), 200000);
        QCOMPARE(Shown(fixture.messages()), QStringList{});
        QVERIFY(w.Label[1]->Caption().startsWith(QStringLiteral("Overall mark"))); // the statistics view
        QCOMPARE(w.ExamList->List(0), QStringLiteral("Exam 000000;1/2/2007;0;6"));
        QCOMPARE(w.ExamList->List(199999), QStringLiteral("Exam 199999;1/2/2007;18;6"));
        w.Save->trigger();
        std::reverse(lines.begin(), lines.end());
        QCOMPARE(fixture.dataFileBytes(), DataFile(lines));
    }
};

QTEST_MAIN(TestDataFileWindow)
#include "tst_data_file_window.moc"
