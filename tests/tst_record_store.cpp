// The record line (its fields, the record test, the writer, the CSV export) and the store that keeps
// the lines sorted without regard to case, each with its check mark and its reading.
#include "records/csv_export.h"
#include "records/exam_list_model.h"
#include "records/record_line.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <numeric>

using namespace examora;

namespace {

// Generated lines in a scrambled order: names that differ in case and digits, every one a record.
QStringList ScrambledLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const int k = static_cast<int>((static_cast<qint64>(i) * 7919) % count);
        lines.append((k % 2 ? QStringLiteral("exam ") : QStringLiteral("Exam ")) + QString::number(k) +
                     QStringLiteral(";1/2/2007;") + QString::number(k % 31) + QStringLiteral(";6"));
    }
    return lines;
}

// The order the list keeps plain ASCII lines in: case folded, then the order they came in.
QStringList SortedIgnoringCase(QStringList lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return lines;
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void recordPartsAreTheFields() {
        QCOMPARE(RecordParts("Chemistry ;3/7/2006;25;6"), (QStringList{"Chemistry ", "3/7/2006", "25", "6"}));
        QCOMPARE(RecordParts(""), QStringList{});
        QCOMPARE(RecordParts(";;;"), (QStringList{"", "", "", ""}));
    }

    // Four fields, and a date in the second: the name, the mark and the credits are not tested.
    void recordTestNeedsFourFieldsAndADate_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("record");
        QTest::newRow("blank after the name") << "Chemistry ;3/7/2006;25;6" << true;
        QTest::newRow("only the date is tested") << ";3/7/2006;abc;" << true;
        QTest::newRow("a day above 12 reads first too") << "Math;31/12/2006;28;9" << true;
        QTest::newRow("empty date") << "Math;;28;9" << false;
        QTest::newRow("date in the name field only") << "3/7/2006;Math;28;9" << false;
        QTest::newRow("three fields") << "Math;3/7/2006;28" << false;
        QTest::newRow("five fields") << "Math;3/7/2006;28;9;x" << false;
    }
    void recordTestNeedsFourFieldsAndADate() {
        QFETCH(QString, line);
        QTEST(IsRecordLine(line), "record");
    }

    void csvOfTheRecords_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("rows"); // after the header
        QTest::addColumn<QString>("locale");
        const auto row = [](const char* name, const QStringList& lines, const char* rows,
                            const char* locale = "en_US") {
            QTest::newRow(name) << lines << QByteArray(rows) << QString(locale);
        };
        row("quotes and commas in a name are quoted", {"Storia \"moderna\", parte I;1/15/2004;30;6"},
            "\"Storia \"\"moderna\"\", parte I\",2004-01-15,30,6\r\n");
        row("accents in UTF-8, a point in numbers",
            {"Économie générale;6/20/2005;27.5;7.5", "Ökologie;6/21/2005;28;6"},
            "Économie générale,2005-06-20,27.5,7.5\r\nÖkologie,2005-06-21,28,6\r\n");
        row("day-first dates written in ISO form", {"Fisica;31/12/2006;28;9"}, "Fisica,2006-12-31,28,9\r\n",
            "it_IT");
        row("a comma alone", {"a,b;1/2/2007;30;6"}, "\"a,b\",2007-01-02,30,6\r\n");
        row("names that start like formulas stay text",
            {"=1+2;1/2/2007;30;6", "+a;1/2/2007;30;6", "-a;1/2/2007;30;6", "@a;1/2/2007;30;6"},
            "'=1+2,2007-01-02,30,6\r\n'+a,2007-01-02,30,6\r\n'-a,2007-01-02,30,6\r\n'@a,2007-01-02,30,6\r\n");
        row("unreadable lines left out", {"not a record", "Math;someday;28;9", "Art;1/2/2007;30;6"},
            "Art,2007-01-02,30,6\r\n");
    }
    void csvOfTheRecords() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, rows);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(CsvOfRecords(lines), "name,date,mark,credits\r\n" + rows);
    }

    // Every field trimmed of every white space; inner blanks and numbers stay as typed.
    void writerTrimsAndJoins() {
        QCOMPARE(MakeRecordLine("\t a ", " 1/2/2007 ", " 2.8E1\r\n", " 9 "),
                 QStringLiteral("a;1/2/2007;2.8E1;9"));
        QCOMPARE(MakeRecordLine("Lab  of  Physics", "1/2/2007", "30", "6"),
                 QStringLiteral("Lab  of  Physics;1/2/2007;30;6"));
    }

    // Loading all lines at once and adding them one by one give one order, in which lines equal
    // but for case keep the order they came in.
    void bulkAndSingleAdditionsAgree_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("same name: the rest of the line decides")
            << QStringList{"zoology;1", "Algebra;2", "Physics;1", "algebra;3", "ALGEBRA;1"}
            << QStringList{"ALGEBRA;1", "Algebra;2", "algebra;3", "Physics;1", "zoology;1"};
        QTest::newRow("the same line twice is two records")
            << QStringList{"P;1", "P;1"} << QStringList{"P;1", "P;1"};
        QTest::newRow("names sharing their first eight letters")
            << QStringList{"Laboratory B;1/2/2007;1;1", "laboratory a;1/2/2007;1;1",
                           "LABORATORY;1/2/2007;1;1"}
            << QStringList{"laboratory a;1/2/2007;1;1", "Laboratory B;1/2/2007;1;1",
                           "LABORATORY;1/2/2007;1;1"};
        QTest::newRow("short lines before their longer kin")
            << QStringList{"ab;c", "AB", "a", "Ab;"} << QStringList{"a", "AB", "Ab;", "ab;c"};
        QTest::newRow("accented capitals fold too")
            << QStringList{"Über;1", "über;0", "Èlan;1", "èlan;0", "Uber;2"}
            << QStringList{"Uber;2", "èlan;0", "Èlan;1", "über;0", "Über;1"};
        QTest::newRow("names sharing their first twelve letters")
            << QStringList{"Analisi matematica II;1/2/2007;1;1", "analisi matematica I;1/2/2007;1;1"}
            << QStringList{"analisi matematica I;1/2/2007;1;1", "Analisi matematica II;1/2/2007;1;1"};
        QTest::newRow("a capital Z after a lower-case a")
            << QStringList{"Zoology;1/2/2007;1;1", "algebra;1/2/2007;1;1"}
            << QStringList{"algebra;1/2/2007;1;1", "Zoology;1/2/2007;1;1"};
        QStringList equalButForCase;
        for (int i = 0; i < 20; ++i)
            equalButForCase.append(QStringList{"PHYSICS", "physics", "Physics", "pHysics"}[(i * 7) % 4] +
                                   QStringLiteral(";1/2/2007;1;1"));
        QTest::newRow("twenty lines equal but for case keep their order")
            << (equalButForCase + QStringList{"Algebra;1"}) << (QStringList{"Algebra;1"} + equalButForCase);
        QTest::newRow("Greek and a NUL") << QStringList{"Ωmega", "ωmeg", QString::fromUtf8("a\0b", 3), "a"}
                                         << QStringList{"a", QString::fromUtf8("a\0b", 3), "ωmeg", "Ωmega"};
        QTest::newRow("accented names alike in their first sixteen letters")
            << QStringList{"Università di Bologna B;1", "università di bologna a;1"}
            << QStringList{"università di bologna a;1", "Università di Bologna B;1"};
        QTest::newRow("beyond the 16-bit characters, in UTF-16 order")
            << QStringList{"\U00010400x", "\uFF5Ay", "\u0500z"}
            << QStringList{"\u0500z", "\U00010400x", "\uFF5Ay"};
        QTest::newRow("two thousand scrambled lines")
            << ScrambledLines(2000) << SortedIgnoringCase(ScrambledLines(2000));
    }
    void bulkAndSingleAdditionsAgree() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, sorted);
        ExamListModel oneByOne, atOnce;
        for (const QString& line : lines)
            oneByOne.AddItem(line);
        atOnce.ReplaceAll(lines);
        QCOMPARE(atOnce.Lines(), sorted);
        QCOMPARE(oneByOne.Lines(), sorted);
        for (qsizetype i = 1; i < sorted.size(); ++i)
            QVERIFY(!SortsBefore(sorted[i], sorted[i - 1]));
    }

    void checkMarksFollowTheirLines() {
        ExamListModel store;
        store.ReplaceAll({"a;1/2/2007;1;1", "b;1/2/2007;1;1", "c;1/2/2007;1;1", "d;1/2/2007;1;1"});
        QCOMPARE(store.RemoveSelected(), 0);
        QSignalSpy itemCheck(&store, &ExamListModel::ItemCheck);
        QVERIFY(store.setData(store.index(1), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(itemCheck.count(), 1);
        QCOMPARE(itemCheck.at(0).at(0).toInt(), 1);
        QCOMPARE(store.data(store.index(1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(store.data(store.index(0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        store.SetSelected(1, true); // the same mark again is no change and no event
        QCOMPARE(itemCheck.count(), 1);
        QCOMPARE(store.SelCount(), 1);
        store.AddItem(QStringLiteral("0;1/2/2007;1;1")); // the mark moves along with its line
        QVERIFY(store.Selected(2));
        QCOMPARE(store.List(2), QStringLiteral("b;1/2/2007;1;1"));
        store.RemoveItem(0);
        QVERIFY(store.Selected(1));
        store.RemoveItem(1);
        QCOMPARE(store.SelCount(), 0);
        QCOMPARE(store.Lines(), (QStringList{"a;1/2/2007;1;1", "c;1/2/2007;1;1", "d;1/2/2007;1;1"}));
        store.RemoveItem(-1); // out-of-range positions are ignored
        store.RemoveItem(3);
        store.SetSelected(5, true);
        QCOMPARE(store.ListCount(), 3);
        QCOMPARE(store.SelCount(), 0);
        QVERIFY(!store.setData(store.index(0), QStringLiteral("x"), Qt::DisplayRole));
        QVERIFY(store.flags(store.index(0)).testFlag(Qt::ItemIsUserCheckable));
        QCOMPARE(store.data(store.index(0), Qt::DisplayRole).toString(), QStringLiteral("a;1/2/2007;1;1"));
        store.SetSelected(0, true);
        store.SetSelected(2, true);
        QCOMPARE(store.RemoveSelected(), 2);
        QCOMPARE(store.Lines(), QStringList{"c;1/2/2007;1;1"});
        QCOMPARE(store.SelCount(), 0);
        QVERIFY(!store.Selected(0));
        store.SetSelected(0, true); // a new list comes all unchecked
        store.ReplaceAll({"b;1/2/2007;1;1", "a;1/2/2007;1;1"});
        QCOMPARE(store.SelCount(), 0);
        QVERIFY(!store.Selected(0) && !store.Selected(1));
        store.Clear();
        QCOMPARE(store.rowCount(), 0);
    }

    // The store holds at least 32,767 lines; more lines are sorted like any others, and the last one
    // takes a check mark.
    void storeHoldsMoreThan32767Lines() {
        QStringList lines = ScrambledLines(40000);
        ExamListModel store;
        store.ReplaceAll(lines);
        QCOMPARE(store.rowCount(), 40000);
        store.AddItem(lines.emplaceBack(QStringLiteral("Exam 5;1/2/2007;0;6")));
        QCOMPARE(store.Lines(), SortedIgnoringCase(lines));
        store.SetSelected(40000, true);
        QCOMPARE(store.SelCount(), 1);
        QCOMPARE(store.data(store.index(40000), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    // What the figures read of each line is read once, as the line comes in, and always agrees with
    // the line it stands beside.
    void readingsAgreeWithTheirLines() {
        ExamListModel store;
        auto agree = [&store] {
            QCOMPARE(store.Readings().size(), std::size_t(store.ListCount()));
            for (int i = 0; i < store.ListCount(); ++i) {
                const ExamReading read = ReadExam(store.List(i)).value_or(ExamReading{});
                const ExamReading& kept = store.Readings()[std::size_t(i)];
                QVERIFY2(kept.date == read.date && kept.mark == read.mark && kept.credits == read.credits,
                         qPrintable(store.List(i)));
            }
        };
        store.ReplaceAll(ScrambledLines(1000) + QStringList{"no record"});
        agree();
        store.AddItem(QStringLiteral("Aardvark;12/31/2006;27,5;6"));
        agree();
        store.RemoveRows({0, 5, 17});
        agree();
        QList<int> most(800); // erasing most lines leaves more text unused than used, which is dropped
        std::iota(most.begin(), most.end(), 100);
        store.RemoveRows(most);
        agree();
        store.InsertRows({1, 2}, {"Exam 9;1/3/2008;30;9", "Exam 8;2/4/2009;18;3"});
        agree();
        store.SetSelected(3, true);
        store.SetSelected(200, true);
        store.RemoveSelected();
        agree();
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_record_store.moc"
