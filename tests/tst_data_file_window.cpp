// The data file as the user meets it on the window: what Load and a failed read report and what the
// list then shows, Save byte for byte, a merge on save, and the question on closing or loading.
#include "datafile/data_file.h"
#include "records/conversions.h"
#include "support/window_fixture.h"
#include "window/drawing/pdf_report.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

using namespace examora;
using namespace examora::testing;

namespace {

// Each message as "text|flags".
const QString kOneKept =
    QStringLiteral("WARNING : 1 line of Examora.TXT could not be read. It is kept in the file unchanged.|48");
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

// The text of a PDF file laid out as on its pages, a form feed after each page.
QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + pdftotext.errorString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

const QByteArray kTwoInDateOrder = "Physics;12/6/2006;27;9\r\nAnalysis;1/15/2007;30;6\r\n";

} // namespace

class TestDataFileWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The exports offer a file beside the data file and write there what the user chose; a PDF
    // starts as one, and a cancelled dialog writes nothing.
    void exportsGoWhereTheUserChose() {
        WindowFixture fixture(DataFile({"=Risky;1/2/2007;30;6", "Art;1/15/2004;28;9"}));
        const QDir folder = QFileInfo(fixture.dataFilePath()).dir();
        fixture.choose("ExportCsv");
        fixture.messages().saveAs = folder.filePath(QStringLiteral("out.csv"));
        fixture.choose("ExportCsv");
        fixture.messages().saveAs = folder.filePath(QStringLiteral("out.pdf"));
        fixture.choose("ExportPdf");
        QCOMPARE(fixture.messages().suggestedFiles,
                 QStringList({folder.filePath("Examora.csv"), folder.filePath("Examora.csv"),
                              folder.filePath("Examora.pdf")}));
        QFile csv(folder.filePath(QStringLiteral("out.csv"))),
            pdf(folder.filePath(QStringLiteral("out.pdf")));
        QVERIFY(csv.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(),
                 QByteArray("name,date,mark,credits\r\n'=Risky,2007-01-02,30,6\r\nArt,2004-01-15,28,9\r\n"));
        QVERIFY(pdf.readAll().startsWith("%PDF-"));
        // Each export says where it wrote and how many exams; the CSV is offered comma-separated
        // here, and semicolon-separated with decimal commas where the locale writes them.
        QCOMPARE(Shown(fixture.messages()), (QStringList{"2 exams exported to " + csv.fileName() + "|64",
                                                         "2 exams exported to " + pdf.fileName() + "|64"}));
        QCOMPARE(fixture.messages().offeredKinds,
                 (QStringList{"CSV, comma-separated (*.csv)", "CSV, comma-separated (*.csv)", "PDF files (*.pdf)"}));
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        fixture.messages().saveAs = csv.fileName();
        fixture.choose("ExportCsv");
        QCOMPARE(fixture.messages().offeredKinds.last(),
                 "CSV for spreadsheets with a decimal comma, semicolon-separated (*.csv)");
        fixture.writeDataFile("Fisica;1/2/2007;27,5;7,5\r\n");
        fixture.choose("Load");
        fixture.choose("ExportCsv");
        csv.close();
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), QByteArray("name;date;mark;credits\r\nFisica;2007-02-01;27,5;7,5\r\n"));
    }

    // The report holds the title, the figures, the honours, a row per year and every exam, over as
    // many numbered pages as the table needs. Exam i falls 4 days after the one before, every
    // eighth with honours; one report comes through the menu, one straight from its lines.
    void pdfReportHoldsEveryExamOnNumberedPages_data() {
        QTest::addColumn<int>("exams");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("headers"); // of the table of exams, one on each page it runs on
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("one exam, a line that is no record, math mode, days")
            << 1 << 2 << 1
            << QStringList{"^Examora$",
                           "Monday, December 7, 2026 - Math Mode",
                           "Exams +Overall mark +Math average +Total credits +Graduation base",
                           "^ +1 +27 +27 +6 +99$",
                           "^Marks VS Time$",
                           "^Marks x Credits VS Time$",
                           "Figure 1. The mark of each exam, drawn at its date; time unit: days.",
                           "with honours \\(30L\\): 0$",
                           "^ *2001 +1 +6 +27$",
                           "^ *Exam 001 +1/5/2001 +27 +6$",
                           "Page 1 of 2",
                           "Page 2 of 2"};
        QTest::newRow("400 exams through the menu")
            << 400 << 10 << 9
            << QStringList{"^Examora$",
                           "Monday, December 7, 2026 - Academic Mode",
                           "Exams : 400 +Overall mark +Math average +Total credits +Graduation base",
                           "Speed : 100 / year +27.4 +27.4 +2400 +100.5",
                           "^Marks x Credits VS Time$",
                           "with honours \\(30L\\): 50$",
                           "^ *2001 +91 +546 +27.4$",
                           "^ *2005 +35 +210 +27.4$",
                           "^ *Exam 001 +1/5/2001 +27 +6$",
                           "^ *Exam 400 +5/20/2005 +30L +6$",
                           "Page 1 of 10",
                           "Page 10 of 10"};
    }
    void pdfReportHoldsEveryExamOnNumberedPages() {
        QFETCH(int, exams);
        QStringList lines;
        for (int i = 1; i <= exams; ++i)
            lines.append(QStringLiteral("Exam %1;%2;%3;6")
                             .arg(i, 3, 10, QLatin1Char('0'))
                             .arg(FormatDateTime(QDate(2001, 1, 1).addDays(4 * i), DateFormat::Short),
                                  i % 8 ? QStringLiteral("27") : QStringLiteral("30L")));
        WindowFixture fixture(DataFile(lines));
        const QString path = QFileInfo(fixture.dataFilePath()).dir().filePath(QStringLiteral("report.pdf"));
        if (exams == 1) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(PdfReport({lines + QStringList{"Not an exam;12/7/2026"}, AverageMode::Math, kDays,
                                  QDate(2026, 12, 7)}));
        } else {
            fixture.messages().saveAs = path;
            fixture.choose("ExportPdf");
        }
        const QString text = PdfText(path);
        QTEST(int(text.count(u'\f')), "pages");
        QTEST(int(text.count(QRegularExpression("Exam +Date +Mark +Credits"))), "headers");
        QVERIFY2(!text.contains(QStringLiteral("Not an exam")), qPrintable(text));
        QFETCH(QStringList, texts);
        for (const QString& expected : texts)
            QVERIFY2(text.contains(QRegularExpression(expected, QRegularExpression::MultilineOption)),
                     qPrintable(expected + QStringLiteral(" is not in:\n") + text));
    }

    // Load asks about an unsaved exam (No discards it), reports what it read and shows it anew: the
    // entry panel numbers the next exam after what was read. List stays on the menu.
    void loadAsksThenReportsWhatItRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("one empty line")
            << QByteArray("\r\n") << QStringList{} << QStringList{kQuestion, "WARNING : Corrupted file |48"};
        QTest::newRow("lines that are no records are counted; empty ones are not")
            << QByteArray("abc\r\nPhysics;12/6/2006;27;9\r\n\r\nMath;3/7/2006;28\r\n")
            << QStringList{"Physics;12/6/2006;27;9"}
            << QStringList{kQuestion,
                           "WARNING : 2 lines of Examora.TXT could not be read. They are kept in the file "
                           "unchanged.|48",
                           kLoaded};
        QByteArray huge(100 * 1024 * 1024, 'x');
        huge.replace(0, 3, "a;b");
        QTest::newRow("a line of 100 MB is kept, but no record")
            << huge + "\r\nPhysics;12/6/2006;27;9\r\n"
            << QStringList{"Physics;12/6/2006;27;9"} << QStringList{kQuestion, kOneKept, kLoaded};
    }
    void loadAsksThenReportsWhatItRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, held);
        WindowFixture fixture(bytes);
        AddExam(fixture, QStringLiteral("Unsaved"));
        fixture.messages().prompts.clear();
        fixture.choose("Load");
        QCOMPARE(fixture.lines(), held);
        QCOMPARE(fixture.label(0)->Caption(), QStringLiteral("Exam  %1").arg(held.size() + 1));
        QVERIFY(fixture.action("ShowExams")->isEnabled());
        QVERIFY(fixture.window().close());
        QTEST(Shown(fixture.messages()), "shown");
    }

    // Save writes the records sorted ignoring case, in UTF-8 (a Windows-1252 file is read as such),
    // with CR LF, and then the line that is no record.
    void saveWritesTheSortedListInUtf8WithCrLf() {
        WindowFixture fixture(QByteArray(
            "zoology;1/2/2007;30;6\r\n\r\nUniversit\xe0;1/2/2007;30;6\r\nPhysics;12/6/2006;27;9\nabc\r\n"
            "algebra;1/15/2007;30;6\r\nAlgebra;1/15/2007;28;6"));
        const QStringList sorted{"Algebra;1/15/2007;28;6", "algebra;1/15/2007;30;6", "Physics;12/6/2006;27;9",
                                 QString::fromUtf8("Università;1/2/2007;30;6"), "zoology;1/2/2007;30;6"};
        QCOMPARE(fixture.lines(), sorted);
        fixture.choose("Save");
        QCOMPARE(fixture.dataFileBytes(), DataFile(sorted + QStringList{"abc"}));
        QCOMPARE(Shown(fixture.messages()), (QStringList{kOneKept, kSaved}));
    }

    // More lines than a 16-bit count: they load, sort and save like any others.
    void twoHundredThousandLinesLoadSortAndSave() {
        QStringList lines;
        for (int i = 199999; i >= 0; --i)
            lines.append(QStringLiteral("Exam %1;1/2/2007;%2;6").arg(i, 6, 10, QLatin1Char('0')).arg(i % 31));
        WindowFixture fixture(DataFile(lines));
        std::reverse(lines.begin(), lines.end());
        QCOMPARE(fixture.lines(), lines);
        fixture.choose("Save");
        QCOMPARE(fixture.dataFileBytes(), DataFile(lines));
        QCOMPARE(Shown(fixture.messages()), QStringList{kSaved});
    }

    // Erasing every exam is a change: Load asks first, and Yes saves first, an empty file so that the
    // exams stay gone, which reads back without a warning.
    void erasingEveryExamAndSavingLeavesAnEmptyFile() {
        WindowFixture fixture(kTwoInDateOrder);
        fixture.choose("ShowExams");
        fixture.setChecked(0, true);
        fixture.setChecked(1, true);
        fixture.choose("EraseExams");
        fixture.messages().AnswerNext(AnswerYes);
        fixture.choose("Load");
        QVERIFY(QFileInfo(fixture.dataFilePath()).isFile());
        QCOMPARE(fixture.dataFileBytes(), QByteArray());
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()), (QStringList{kQuestion, kSaved, kLoaded}));
    }

    // Another program changed the file since it was read: the save keeps its changes and these,
    // tells so once, and the view on screen shows the merge. An exam it erased goes here too only
    // if the user says Yes.
    void fileChangedOnDiskIsMergedOnSave_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes erases it here too") << int(AnswerYes);
        QTest::newRow("No keeps it") << int(AnswerNo);
    }
    void fileChangedOnDiskIsMergedOnSave() {
        QFETCH(int, answer);
        WindowFixture fixture(kTwoInDateOrder + "abc\r\n");
        AddExam(fixture, QStringLiteral("Chemistry"));
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
        QCOMPARE(fixture.action("Undo")->text(), QStringLiteral("&Undo merge with Examora.TXT"));
        fixture.choose("Save"); // nothing changed on disk since: no second merge
        QCOMPARE(
            Shown(fixture.messages()),
            (QStringList{
                QStringLiteral("Another program erased this exam from Examora.TXT:\nPhysics;12/6/2006;27;9"
                               "\n\nErase it here too ? No keeps it in the file.|292"),
                QStringLiteral("Examora.TXT was changed by another program since it was read. Its "
                               "changes and yours were merged.|64"),
                kSaved, kSaved}));
    }

    // A file that cannot be read (too large from the start, or a folder in its place since) is never
    // replaced: Save and the save asked for on closing say why and keep the window open and the
    // changes unsaved, as a dismissed question (Escape) does, also on Load; a Load that fails keeps
    // the exams held. Once the file is gone, closing asks again and Yes saves what is held.
    void fileThatCannotBeReadIsNeverReplaced_data() {
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QByteArray>("saved");
        const QString tooLarge = QStringLiteral("it is too large (%1 bytes; at most %2)")
                                     .arg(kMaxDataFileBytes + 1)
                                     .arg(kMaxDataFileBytes);
        QTest::newRow("too large, told at start")
            << true << tooLarge << DataFile({"Chemistry;12/7/2026;25;6"});
        QTest::newRow("a folder in its place")
            << false << QStringLiteral("it is a directory, not a file")
            << DataFile({"Analysis;1/15/2007;30;6", "Chemistry;12/7/2026;25;6", "Physics;12/6/2006;27;9"});
    }
    void fileThatCannotBeReadIsNeverReplaced() {
        QFETCH(bool, tooLarge);
        QFETCH(QString, reason);
        QByteArray bytes = kTwoInDateOrder;
        if (tooLarge)
            bytes.resize(kMaxDataFileBytes + 1, 'x');
        WindowFixture fixture(bytes);
        bytes.clear();
        const QString path = fixture.dataFilePath();
        QVERIFY(tooLarge || (QFile::remove(path) && QDir().mkdir(path)));
        AddExam(fixture, QStringLiteral("Chemistry"));
        fixture.choose("Save");
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(!fixture.window().close());
        fixture.messages().AnswerNext(AnswerCancel);
        QTest::keyClick(&fixture.window(), Qt::Key_Q, Qt::ControlModifier); // Quit asks as closing does
        QVERIFY(fixture.window().isVisible());
        fixture.messages().AnswerNext(AnswerCancel);
        fixture.choose("Load");
        fixture.choose("Load"); // No
        QCOMPARE(fixture.lines().size(), tooLarge ? 1 : 3);
        QVERIFY(tooLarge ? QFileInfo(path).size() == kMaxDataFileBytes + 1 : QFileInfo(path).isDir());
        QVERIFY(tooLarge ? QFile::remove(path) : QDir().rmdir(path));
        fixture.messages().AnswerNext(AnswerYes);
        QVERIFY(fixture.window().close());
        const QString notRead = "Examora.TXT could not be read, so it was not replaced: " + reason +
                                ". Your exams are still here; put the file right or move it away, then save again.|48";
        const QString failed = "Examora.TXT could not be read: " + reason +
                               ". It is never written over while it cannot be read; put it right or move it "
                               "away, then choose Load.|48";
        QStringList shown{notRead,   kQuestion, notRead,   kQuestion, kQuestion,
                          kQuestion, failed,    kQuestion, kSaved};
        if (tooLarge)
            shown.prepend(failed);
        QCOMPARE(Shown(fixture.messages()), shown);
        QTEST(fixture.dataFileBytes(), "saved");
    }
};

QTEST_MAIN(TestDataFileWindow)
#include "tst_data_file_window.moc"
