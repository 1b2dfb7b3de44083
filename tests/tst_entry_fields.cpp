// The test of the entry panel's four fields, taken exactly as typed, in an American and in a German
// locale. "today" stands for the date the panel proposes, written in the locale's short form.
#include "entry/entry_fields.h"
#include "records/conversions.h"
#include "records/record_line.h"

#include <QTest>

using namespace examora;

namespace {

const char* const kLocales[] = {"en_US", "de_DE"};
const QDate kToday(2026, 12, 7);

QString Typed(const QString& text) {
    return text == QLatin1String("today") ? FormatDateTime(kToday, DateFormat::Short) : text;
}

} // namespace

class TestEntryFields : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetCurrentYear(2026); }

    void acceptable_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("credits");
        QTest::addColumn<bool>("armed");
        struct Case {
            const char* what;
            const char *name, *date, *mark, *credits;
            bool armed;
        };
        const Case cases[] = {
            {"an ordinary exam arms", "Physics", "today", "27", "9", true},
            {"mark -1 disarms", "Physics", "today", "-1", "9", false},
            {"credit value -0.5 disarms", "Physics", "today", "27", "-0.5", false},
            {"mark 0 and credit value 0 arm", "Physics", "today", "0", "0", true},
            {"mark 31 arms: no upper bound", "Physics", "today", "31", "9", true},
            {"mark 110 arms: no upper bound", "Physics", "today", "110", "9", true},
            {"mark 28abc is not a number", "Physics", "today", "28abc", "9", false},
            {"empty mark disarms", "Physics", "today", "", "9", false},
            {"empty credit value disarms", "Physics", "today", "27", "", false},
            {"blanks around a number are allowed", "Physics", "today", " 27 ", " 9", true},
            {"a mark with a decimal point arms", "Physics", "today", "27.5", "9", true},
            {"a mark with an exponent arms", "Physics", "today", "2.8E1", "9", true},
            {"a mark beyond a double is not numeric", "Physics", "today", "1e400", "9", false},
            {"a credit value beyond a double is not numeric", "Physics", "today", "27", "-1e400", false},
            {"inf is not a number", "Physics", "today", "inf", "9", false},
            {"a name of three blanks is empty", "   ", "today", "27", "9", false},
            {"an empty name disarms", "", "today", "27", "9", false},
            {"a name holding a semicolon disarms", "Analysis;2", "today", "27", "9", false},
            {"an empty date disarms", "Physics", "", "27", "9", false},
            {"a blank date disarms", "Physics", "   ", "27", "9", false},
            {"a word for a date disarms", "Physics", "tomorrow", "27", "9", false},
            {"day 32 is no date", "Physics", "32/32/2006", "27", "9", false},
        };
        for (const char* locale : kLocales)
            for (const Case& c : cases)
                QTest::addRow("%s: %s", locale, c.what)
                    << QString::fromLatin1(locale) << QString::fromLatin1(c.name)
                    << QString::fromLatin1(c.date) << QString::fromLatin1(c.mark)
                    << QString::fromLatin1(c.credits) << c.armed;
    }

    void acceptable() {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QString, date);
        QFETCH(QString, mark);
        QFETCH(QString, credits);
        QLocale::setDefault(QLocale(locale));
        QTEST(EntryFieldsAcceptable(name, Typed(date), mark, credits), "armed");
    }

    // Each locale reads its own short dates and refuses the other order where it names no day.
    void dateOrder_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("armed");
        QTest::addRow("en_US: month first") << "en_US"
                                            << "12/31/2006" << true;
        QTest::addRow("en_US: day first would mix the orders") << "en_US"
                                                               << "31/12/2006" << false;
        QTest::addRow("en_US: month 13 is no date") << "en_US"
                                                    << "13/13/2006" << false;
        QTest::addRow("de_DE: day first") << "de_DE"
                                          << "31.12.2006" << true;
        QTest::addRow("de_DE: month first would mix the orders") << "de_DE"
                                                                 << "12.31.2006" << false;
        QTest::addRow("de_DE: ISO") << "de_DE"
                                    << "2006-12-31" << true;
    }

    void dateOrder() {
        QFETCH(QString, locale);
        QFETCH(QString, date);
        QLocale::setDefault(QLocale(locale));
        QTEST(
            EntryFieldsAcceptable(QStringLiteral("Physics"), date, QStringLiteral("27"), QStringLiteral("9")),
            "armed");
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
        row("blanks around the name go, inner ones stay", "en_US", {"  Analysis 2 ", "1/2/2007", "30", "6"},
            true, "Analysis 2;1/2/2007;30;6", 30, 6);
        row("numbers stay as typed", "en_US", {"Physics", "1/2/2007", " 2.8E1 ", "9.0"}, true,
            "Physics;1/2/2007;2.8E1;9.0", 28, 9);
        row("pasted with line breaks, tabs and no-break spaces", "en_US",
            {"\u00a0Biology\u00a0", "12/7/2026", "30\n", "\t6\r\n"}, true, "Biology;12/7/2026;30;6", 30, 6);
        row("a line break inside a name", "en_US", {"Organic\nChemistry", "12/7/2026", "30", "6"}, false,
            "Organic\nChemistry;12/7/2026;30;6", 30, 6);
        row("a tab inside a mark", "en_US", {"Biology", "12/7/2026", "3\t0", "6"}, false,
            "Biology;12/7/2026;3\t0;6", 30, 6);
        row("de_DE decimal comma", "de_DE", {"Physik", "07.12.2026", "1,3", "7,5"}, true,
            "Physik;07.12.2026;1,3;7,5", 1.3, 7.5);
        row("en_US comma groups digits: refused", "en_US", {"Physics", "12/7/2026", "1,234", "6"}, false,
            "Physics;12/7/2026;1,234;6", 1.234, 6);
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
            for (const QDate day : {kToday, QDate(2026, 2, 5)}) {
                const QString proposed = ProposedDate(day);
                if (!EntryFieldsAcceptable(QStringLiteral("Physics"), proposed, QStringLiteral("27"),
                                           QStringLiteral("9")) ||
                    DateValue(proposed) != day)
                    QFAIL(qPrintable(locale.name() + QLatin1String(": ") + proposed));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
