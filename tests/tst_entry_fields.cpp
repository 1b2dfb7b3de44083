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
            {"a name of three blanks arms", "   ", "today", "27", "9", true},
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
        QTest::addRow("en_US: day first is no date") << "en_US"
                                                     << "31/12/2006" << false;
        QTest::addRow("de_DE: day first") << "de_DE"
                                          << "31.12.2006" << true;
        QTest::addRow("de_DE: month first is no date") << "de_DE"
                                                       << "12.31.2006" << false;
    }

    void dateOrder() {
        QFETCH(QString, locale);
        QFETCH(QString, date);
        QLocale::setDefault(QLocale(locale));
        QTEST(
            EntryFieldsAcceptable(QStringLiteral("Physics"), date, QStringLiteral("27"), QStringLiteral("9")),
            "armed");
    }

    // What the insertion stores: each text trimmed of its blanks, joined by ";".
    void recordLine_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("line");
        QTest::addRow("blanks around the name go, inner ones stay")
            << QStringList{"  Analysis 2 ", "1/2/2007", "30", "6"} << "Analysis 2;1/2/2007;30;6";
        QTest::addRow("a name of blanks leaves an empty first field")
            << QStringList{"   ", "1/2/2007", "27", "9"} << ";1/2/2007;27;9";
        QTest::addRow("numbers stay as typed")
            << QStringList{"Physics", "1/2/2007", " 2.8E1 ", "9.0"} << "Physics;1/2/2007;2.8E1;9.0";
    }

    void recordLine() {
        QFETCH(QStringList, typed);
        QTEST(MakeRecordLine(typed[0], typed[1], typed[2], typed[3]), "line");
    }
};

QTEST_GUILESS_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
