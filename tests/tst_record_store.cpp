// The record line (its fields, the record test, the writer) and the store that keeps the lines
// sorted without regard to case, each with its check mark.
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

QStringList LinesOf(const ExamListModel& store) {
    QStringList lines;
    for (int i = 0; i < store.ListCount(); ++i)
        lines.append(store.List(i));
    return lines;
}

bool SortedIgnoringCase(const QStringList& lines) {
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (lines[i - 1].compare(lines[i], Qt::CaseInsensitive) > 0)
            return false;
    return true;
}

// Generated lines in a scrambled order: names that differ in case and digits, every one a record.
QStringList ScrambledLines(int count) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int k = static_cast<int>((static_cast<qint64>(i) * 7919) % count);
        const QString name = (k % 2 ? QStringLiteral("exam ") : QStringLiteral("Exam ")) + QString::number(k);
        lines.append(name + QStringLiteral(";1/2/2007;") + QString::number(k % 31) + QStringLiteral(";6"));
    }
    return lines;
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void recordPartsAreTheFields_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("a written line")
            << "Physics;12/06/2006;27;9" << QStringList{"Physics", "12/06/2006", "27", "9"};
        QTest::newRow("blank after the name stays")
            << "Chemistry ;3/7/2006;25;6" << QStringList{"Chemistry ", "3/7/2006", "25", "6"};
        QTest::newRow("no separator gives the whole line") << "abc" << QStringList{"abc"};
        QTest::newRow("empty line gives no field") << "" << QStringList{};
        QTest::newRow("empty fields") << ";;;" << QStringList{"", "", "", ""};
        QTest::newRow("five fields") << "a;b;c;d;e" << QStringList{"a", "b", "c", "d", "e"};
    }
    void recordPartsAreTheFields() {
        QFETCH(QString, line);
        QFETCH(QStringList, parts);
        QCOMPARE(RecordParts(line), parts);
    }

    void recordTestNeedsFourFieldsAndADate_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("record");
        QTest::newRow("en_US a written line") << "en_US"
                                              << "Physics;12/6/2006;27;9" << true;
        QTest::newRow("en_US blank after the name") << "en_US"
                                                    << "Chemistry ;3/7/2006;25;6" << true;
        QTest::newRow("en_US empty date") << "en_US"
                                          << "Math;;28;9" << false;
        QTest::newRow("en_US three fields") << "en_US"
                                            << "Math;3/7/2006;28" << false;
        QTest::newRow("en_US five fields") << "en_US"
                                           << "Math;3/7/2006;28;9;x" << false;
        QTest::newRow("en_US empty line") << "en_US"
                                          << "" << false;
        QTest::newRow("en_US no separator") << "en_US"
                                            << "abc" << false;
        QTest::newRow("en_US mark and credits not tested") << "en_US"
                                                           << "Math;3/7/2006;abc;" << true;
        QTest::newRow("en_US empty name passes") << "en_US"
                                                 << ";3/7/2006;28;9" << true;
        QTest::newRow("en_US a day above 12 reads first too") << "en_US"
                                                              << "Math;31/12/2006;28;9" << true;
        QTest::newRow("en_US ISO date") << "en_US"
                                        << "Math;2006-12-31;28;9" << true;
        QTest::newRow("en_US two-digit year") << "en_US"
                                              << "Math;12/31/06;28;9" << true;
        QTest::newRow("en_US text as date") << "en_US"
                                            << "Math;soon;28;9" << false;
        QTest::newRow("en_US date in the name field only") << "en_US"
                                                           << "3/7/2006;Math;28;9" << false;
        QTest::newRow("it_IT day-first date") << "it_IT"
                                              << "Fisica;31/12/2006;28;9" << true;
        QTest::newRow("it_IT month 13") << "it_IT"
                                        << "Fisica;13/13/2006;28;9" << false;
        QTest::newRow("it_IT decimal comma mark") << "it_IT"
                                                  << "Fisica;1/2/2007;27,5;6" << true;
        QTest::newRow("de_DE dotted date") << "de_DE"
                                           << "Physik;31.12.2006;28;9" << true;
        QTest::newRow("de_DE empty date") << "de_DE"
                                          << "Physik;;28;9" << false;
    }
    void recordTestNeedsFourFieldsAndADate() {
        QFETCH(QString, locale);
        QFETCH(QString, line);
        QFETCH(bool, record);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(IsRecordLine(line), record);
    }

    void csvOfTheRecords_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("rows"); // after the header
        QTest::newRow("quotes and commas in a name are quoted")
            << "en_US" << QStringList{"Storia \"moderna\", parte I;1/15/2004;30;6"}
            << QByteArray("\"Storia \"\"moderna\"\", parte I\",2004-01-15,30,6\r\n");
        QTest::newRow("accents in UTF-8, a point in numbers")
            << "en_US" << QStringList{"Économie générale;6/20/2005;27.5;7.5", "Ökologie;6/21/2005;28;6"}
            << QByteArray("\xC3\x89"
                          "conomie g\xC3\xA9n\xC3\xA9rale,2005-06-20,27.5,7.5\r\n"
                          "\xC3\x96kologie,2005-06-21,28,6\r\n");
        QTest::newRow("day-first dates written in ISO form")
            << "it_IT" << QStringList{"Fisica;31/12/2006;28;9"} << QByteArray("Fisica,2006-12-31,28,9\r\n");
        QTest::newRow("a comma alone")
            << "en_US" << QStringList{"a,b;1/2/2007;30;6"} << QByteArray("\"a,b\",2007-01-02,30,6\r\n");
        QTest::newRow("names that start like formulas stay text")
            << "en_US"
            << QStringList{"=1+2;1/2/2007;30;6", "+a;1/2/2007;30;6", "-a;1/2/2007;30;6", "@a;1/2/2007;30;6"}
            << QByteArray("'=1+2,2007-01-02,30,6\r\n'+a,2007-01-02,30,6\r\n'-a,2007-01-02,30,6\r\n'@a,2007-"
                          "01-02,30,6\r\n");
        QTest::newRow("unreadable lines left out")
            << "en_US" << QStringList{"not a record", "Math;someday;28;9", "Art;1/2/2007;30;6"}
            << QByteArray("Art,2007-01-02,30,6\r\n");
    }
    void csvOfTheRecords() {
        QFETCH(QString, locale);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, rows);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(CsvOfRecords(lines), "name,date,mark,credits\r\n" + rows);
    }

    void writerTrimsAndJoins_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("blanks around the name go")
            << QStringList{"  Analysis 2 ", "1/2/2007", "30", "6"} << "Analysis 2;1/2/2007;30;6";
        QTest::newRow("every field trimmed")
            << QStringList{" a ", " 1/2/2007 ", " 28.0 ", " 9 "} << "a;1/2/2007;28.0;9";
        QTest::newRow("numbers stay as typed")
            << QStringList{"Physics", "12/06/2006", "2.8E1", "9"} << "Physics;12/06/2006;2.8E1;9";
        QTest::newRow("inner blanks stay")
            << QStringList{"Lab  of  Physics", "1/2/2007", "30", "6"} << "Lab  of  Physics;1/2/2007;30;6";
        QTest::newRow("tabs and line breaks are trimmed too")
            << QStringList{"\tA", "1/2/2007", "30\r\n", "6"} << "A;1/2/2007;30;6";
    }
    void writerTrimsAndJoins() {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        const QString made = MakeRecordLine(fields[0], fields[1], fields[2], fields[3]);
        QCOMPARE(made, line);
        QVERIFY(IsRecordLine(made));
    }

    void addedLinesGoToTheirSortedPlace() {
        ExamListModel store;
        store.AddItem(QStringLiteral("zoology;1/2/2007;30;6"));
        store.AddItem(QStringLiteral("Algebra;1/2/2007;30;6"));
        QCOMPARE(store.List(0), QStringLiteral("Algebra;1/2/2007;30;6"));
        store.AddItem(QStringLiteral("Physics;1/2/2007;30;6"));
        store.AddItem(QStringLiteral("algebra;3/4/2008;28;9"));
        store.AddItem(QStringLiteral("ALGEBRA;1/1/2006;18;3"));
        QCOMPARE(store.ListCount(), 5);
        const QStringList lines = LinesOf(store);
        QVERIFY2(SortedIgnoringCase(lines), qPrintable(lines.join(u'|')));
        // The three algebra lines stand together, before Physics and zoology.
        for (int i = 0; i < 3; ++i)
            QVERIFY(lines[i].startsWith(QStringLiteral("algebra"), Qt::CaseInsensitive));
        QCOMPARE(lines[3], QStringLiteral("Physics;1/2/2007;30;6"));
        QCOMPARE(lines[4], QStringLiteral("zoology;1/2/2007;30;6"));
        // Same name: the rest of the line decides.
        QCOMPARE(lines[0], QStringLiteral("ALGEBRA;1/1/2006;18;3"));
        QCOMPARE(lines[1], QStringLiteral("Algebra;1/2/2007;30;6"));
        QCOMPARE(lines[2], QStringLiteral("algebra;3/4/2008;28;9"));
    }

    void sameLineTwiceIsTwoRecords() {
        ExamListModel store;
        store.AddItem(QStringLiteral("Physics;12/6/2006;27;9"));
        store.AddItem(QStringLiteral("Physics;12/6/2006;27;9"));
        QCOMPARE(store.ListCount(), 2);
        QCOMPARE(store.List(1), QStringLiteral("Physics;12/6/2006;27;9"));
    }

    void replaceAllSortsWhateverTheOrder() {
        ExamListModel store;
        store.AddItem(QStringLiteral("old;1/2/2007;30;6"));
        store.SetSelected(0, true);
        store.ReplaceAll({"b;1/2/2007;1;1", "C;1/2/2007;1;1", "a;1/2/2007;1;1", "B;1/1/2007;1;1"});
        QCOMPARE(LinesOf(store),
                 (QStringList{"a;1/2/2007;1;1", "B;1/1/2007;1;1", "b;1/2/2007;1;1", "C;1/2/2007;1;1"}));
        QCOMPARE(store.SelCount(), 0);
        for (int i = 0; i < store.ListCount(); ++i)
            QVERIFY(!store.Selected(i));
        store.Clear();
        QCOMPARE(store.ListCount(), 0);
        QCOMPARE(store.rowCount(), 0);
    }

    void checkMarksFollowTheirLines() {
        ExamListModel store;
        store.ReplaceAll({"a;1/2/2007;1;1", "b;1/2/2007;1;1", "c;1/2/2007;1;1"});
        QSignalSpy itemCheck(&store, &ExamListModel::ItemCheck);
        QVERIFY(store.setData(store.index(1), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(itemCheck.count(), 1);
        QCOMPARE(itemCheck.at(0).at(0).toInt(), 1);
        QCOMPARE(store.data(store.index(1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(store.data(store.index(0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(store.SelCount(), 1);
        // Setting the same mark again is no change and no event.
        store.SetSelected(1, true);
        QCOMPARE(itemCheck.count(), 1);
        QCOMPARE(store.SelCount(), 1);
        // A line added before the checked one moves the mark along with its line.
        store.AddItem(QStringLiteral("0;1/2/2007;1;1"));
        QVERIFY(store.Selected(2));
        QCOMPARE(store.List(2), QStringLiteral("b;1/2/2007;1;1"));
        store.RemoveItem(0);
        QVERIFY(store.Selected(1));
        QCOMPARE(store.SelCount(), 1);
        store.RemoveItem(1);
        QCOMPARE(store.SelCount(), 0);
        QCOMPARE(LinesOf(store), (QStringList{"a;1/2/2007;1;1", "c;1/2/2007;1;1"}));
        // Out-of-range positions are ignored.
        store.RemoveItem(-1);
        store.RemoveItem(2);
        store.SetSelected(5, true);
        QCOMPARE(store.ListCount(), 2);
        QCOMPARE(store.SelCount(), 0);
        QVERIFY(!store.setData(store.index(0), QStringLiteral("x"), Qt::DisplayRole));
        QVERIFY(store.flags(store.index(0)).testFlag(Qt::ItemIsUserCheckable));
        QCOMPARE(store.data(store.index(0), Qt::DisplayRole).toString(), QStringLiteral("a;1/2/2007;1;1"));
    }

    void removeSelectedKeepsTheOthersInOrder() {
        ExamListModel store;
        store.ReplaceAll({"a;1/2/2007;1;1", "b;1/2/2007;1;1", "c;1/2/2007;1;1", "d;1/2/2007;1;1"});
        QCOMPARE(store.RemoveSelected(), 0);
        store.SetSelected(0, true);
        store.SetSelected(2, true);
        QCOMPARE(store.RemoveSelected(), 2);
        QCOMPARE(LinesOf(store), (QStringList{"b;1/2/2007;1;1", "d;1/2/2007;1;1"}));
        QCOMPARE(store.SelCount(), 0);
        QVERIFY(!store.Selected(0) && !store.Selected(1));
    }

    // The store holds at least 32,767 lines; more lines are sorted like any others.
    void storeHoldsMoreThan32767Lines_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("the 16-bit limit") << 32767;
        QTest::newRow("past the 16-bit limit") << 40000;
    }
    void storeHoldsMoreThan32767Lines() {
        QFETCH(int, count);
        const QStringList lines = ScrambledLines(count);
        ExamListModel bulk;
        bulk.ReplaceAll(lines);
        QCOMPARE(bulk.ListCount(), count);
        QCOMPARE(bulk.rowCount(), count);
        QVERIFY(SortedIgnoringCase(bulk.Lines()));
        // One more added line past the end goes to its sorted place, and the last line is reachable.
        bulk.AddItem(QStringLiteral("Exam 5;1/2/2007;0;6"));
        QCOMPARE(bulk.ListCount(), count + 1);
        QVERIFY(SortedIgnoringCase(bulk.Lines()));
        bulk.SetSelected(count, true);
        QCOMPARE(bulk.SelCount(), 1);
        QCOMPARE(bulk.data(bulk.index(count), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QStringList expected = lines;
        expected.append(QStringLiteral("Exam 5;1/2/2007;0;6"));
        QStringList held = bulk.Lines();
        std::sort(expected.begin(), expected.end());
        std::sort(held.begin(), held.end());
        QCOMPARE(held, expected);
    }

    // Loading all lines at once and adding them one by one give one order, in which lines equal
    // but for case keep the order they came in.
    void bulkAndSingleAdditionsAgree_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("names sharing their first eight letters")
            << QStringList{"Laboratory B;1/2/2007;1;1", "laboratory a;1/2/2007;1;1",
                           "LABORATORY;1/2/2007;1;1"}
            << QStringList{"laboratory a;1/2/2007;1;1", "Laboratory B;1/2/2007;1;1",
                           "LABORATORY;1/2/2007;1;1"};
        QTest::newRow("short lines before their longer kin")
            << QStringList{"ab;c", "AB", "a", "Ab;"} << QStringList{"a", "AB", "Ab;", "ab;c"};
        QTest::newRow("equal but for case keep their order")
            << QStringList{"Physics;1/2/2007;1;1", "physics;1/2/2007;1;1", "PHYSICS;1/2/2007;1;1"}
            << QStringList{"Physics;1/2/2007;1;1", "physics;1/2/2007;1;1", "PHYSICS;1/2/2007;1;1"};
        QTest::newRow("accented capitals fold too")
            << QStringList{QString::fromUtf8("Über;1"), QString::fromUtf8("über;0"),
                           QString::fromUtf8("Èlan;1"), QString::fromUtf8("èlan;0"), "Uber;2"}
            << QStringList{"Uber;2", QString::fromUtf8("èlan;0"), QString::fromUtf8("Èlan;1"),
                           QString::fromUtf8("über;0"), QString::fromUtf8("Über;1")};
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
        QTest::newRow("Greek and a NUL")
            << QStringList{QString::fromUtf8("Ωmega"), QString::fromUtf8("ωmeg"),
                           QString(QStringLiteral("a")) + QChar(0) + u'b', "a"}
            << QStringList{"a", QString(QStringLiteral("a")) + QChar(0) + u'b', QString::fromUtf8("ωmeg"),
                           QString::fromUtf8("Ωmega")};
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
        // Erasing most lines leaves more text unused than used, which is then dropped.
        QList<int> most(800);
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

    void addingOneByOneGivesTheSameOrderAsReplacingAll() {
        const QStringList lines = ScrambledLines(2000);
        ExamListModel oneByOne, atOnce;
        for (const QString& line : lines)
            oneByOne.AddItem(line);
        atOnce.ReplaceAll(lines);
        QCOMPARE(oneByOne.Lines(), atOnce.Lines());
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_record_store.moc"
