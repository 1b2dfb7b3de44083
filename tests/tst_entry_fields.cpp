// The test of the entry panel's four fields, taken exactly as typed, in an American and in a German
// locale.
#include "entry/entry_fields.h"
#include "records/conversions.h"
#include "records/record_line.h"

#include <QTest>

using namespace examora;

class TestEntryFields : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetCurrentYear(2026); }

    // Whether the panel arms, and when not, the sentence naming the field that holds it back: a
    // name, numbers of 0 or more or 30 with honours, and a date that reads in the locale's order, a
    // date naming a day in the other order refused.
    void acceptable_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const char* locale, const QStringList& typed, const char* problem) {
            QTest::newRow(name) << QString::fromLatin1(locale) << typed << QString::fromUtf8(problem);
        };
        const char* mark = "Mark: a number, or 30L for honours";
        const char* credits = "Credit value: a number of 0 or more";
        const char* name = "Exam: a name, without \";\"";
        const char* order = "Date: day and month in the order of the file's other dates";
        row("an ordinary exam arms", "en_US", {"Physics", "12/7/2026", "27", "9"}, "");
        row("mark -1 disarms", "en_US", {"Physics", "12/7/2026", "-1", "9"}, mark);
        row("credit value -0.5 disarms", "de_DE", {"Physics", "07.12.2026", "27", "-0.5"}, credits);
        row("mark 0 and credit value 0 arm", "de_DE", {"Physics", "07.12.2026", "0", "0"}, "");
        row("mark 110 arms: no upper bound", "en_US", {"Physics", "12/7/2026", "110", "9"}, "");
        row("mark 28abc is not a number", "en_US", {"Physics", "12/7/2026", "28abc", "9"}, mark);
        row("31L is no honours", "en_US", {"Physics", "12/7/2026", "31L", "9"}, mark);
        row("30 lode is no honours", "en_US", {"Physics", "12/7/2026", "30 lode", "9"}, mark);
        row("empty credit value disarms", "en_US", {"Physics", "12/7/2026", "27", ""}, credits);
        row("a name of three blanks is empty", "en_US", {"   ", "12/7/2026", "27", "9"}, name);
        row("a name holding a semicolon disarms", "en_US", {"Analysis;2", "12/7/2026", "27", "9"}, name);
        row("a date that does not read", "en_US", {"Physics", "12/7/20x6", "27", "9"},
            "Date: a date, such as 12/31/2026");
        row("en_US: day first would mix the orders", "en_US", {"Physics", "31/12/2006", "27", "9"}, order);
        row("en_US: month first", "en_US", {"Physics", "12/31/2006", "27", "9"}, "");
        row("en_US: month 13 is no date", "en_US", {"Physics", "13/13/2006", "27", "9"},
            "Date: a date, such as 12/31/2026");
        row("de_DE: day first", "de_DE", {"Physics", "31.12.2006", "27", "9"}, "");
        row("de_DE: month first would mix the orders", "de_DE", {"Physics", "12.31.2006", "27", "9"}, order);
        row("de_DE: ISO", "de_DE", {"Physics", "2006-12-31", "27", "9"}, "");
    }

    void acceptable() {
        QFETCH(QString, locale);
        QFETCH(QStringList, typed);
        QLocale::setDefault(QLocale(locale));
        QTEST(EntryFieldProblem(typed[0], typed[1], typed[2], typed[3]), "problem");
        QCOMPARE(EntryFieldsAcceptable(typed[0], typed[1], typed[2], typed[3]),
                 EntryFieldProblem(typed[0], typed[1], typed[2], typed[3]).isEmpty());
    }

    // Pasted and typed texts: whether they pass, the line stored and the mark and credit value
    // counted from it. A text that passes is stored and counted as the user sees it.
    void storedAndCounted_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("mark");
        QTest::addColumn<double>("credits");
        auto row = [](const char* name, const char* locale, QStringList typed, bool armed, const char* line,
                      double mark, double credits) {
            QTest::newRow(name) << QString::fromLatin1(locale) << typed << armed << QString::fromUtf8(line)
                                << mark << credits;
        };
        row("numbers stay as typed", "en_US", {"Physics", "1/2/2007", " 2.8E1 ", "9.0"}, true,
            "Physics;1/2/2007;2.8E1;9.0", 28, 9);
        row("pasted with line breaks, tabs and no-break spaces; inner blanks stay", "en_US",
            {"\u00a0 Analysis 2\u00a0", "12/7/2026", "30\n", "\t6\r\n"}, true, "Analysis 2;12/7/2026;30;6",
            30, 6);
        row("a line break inside a name", "en_US", {"Organic\nChemistry", "12/7/2026", "30", "6"}, false,
            "Organic\nChemistry;12/7/2026;30;6", 30, 6);
        row("a tab inside a mark", "en_US", {"Biology", "12/7/2026", "3\t0", "6"}, false,
            "Biology;12/7/2026;3\t0;6", 30, 6);
        row("de_DE decimal comma", "de_DE", {"Physik", "07.12.2026", "1,3", "7,5"}, true,
            "Physik;07.12.2026;1,3;7,5", 1.3, 7.5);
        row("en_US comma groups digits: refused", "en_US", {"Physics", "12/7/2026", "1,234", "6"}, false,
            "Physics;12/7/2026;1,234;6", 1.234, 6);
        row("honours typed 30l are stored as 30L and count as 30", "en_US", {"Latin", "12/7/2026", " 30l", "6"},
            true, "Latin;12/7/2026;30L;6", 30, 6);
        row("30 e lode in any case", "it_IT", {"Latino", "07/12/2026", "30 E  Lode", "6"}, true,
            "Latino;07/12/2026;30L;6", 30, 6);
        row("30 cum laude", "en_US", {"Latin", "12/7/2026", "30 cum laude", "6"}, true,
            "Latin;12/7/2026;30L;6", 30, 6);
        row("ar_EG digits stored as ASCII", "ar_EG", {"Physics", "٧/١٢/٢٠٢٦", "٢٧٫٥", "٦"}, true,
            "Physics;7/12/2026;27.5;6", 27.5, 6);
    }

    void storedAndCounted() {
        QFETCH(QString, locale);
        QFETCH(QStringList, typed);
        QLocale::setDefault(QLocale(locale));
        QTEST(EntryFieldsAcceptable(typed[0], typed[1], typed[2], typed[3]), "armed");
        const QString line = EntryRecordLine(typed[0], typed[1], typed[2], typed[3]);
        QTEST(line, "line");
        const std::optional<ExamReading> read = ReadExam(line);
        QVERIFY(read);
        QTEST(read->mark, "mark");
        QTEST(read->credits, "credits");
    }

    // In every locale Qt knows, the date the panel proposes passes the test and reads back.
    void proposedDatePassesInEveryLocale() {
        const auto locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 600);
        for (const QLocale& locale : locales) {
            QLocale::setDefault(locale);
            for (const QDate day : {QDate(2026, 12, 7), QDate(2026, 2, 5)}) {
                const QString proposed = ProposedDate(day);
                if (!EntryFieldsAcceptable("Physics", proposed, "27", "9") || DateValue(proposed) != day)
                    QFAIL(qPrintable(locale.name() + QLatin1String(": ") + proposed));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
