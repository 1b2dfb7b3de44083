// Round trips through the data file: records typed into the entry panel, saved and read back are
// the same lines in the same order; lines read from a file keep marks that are not numbers through
// a load and a save; a file in the Windows code page comes back in UTF-8 with the same names.
#include "records/conversions.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace examora;
using namespace examora::testing;

namespace {

constexpr int kTypedRecords = 120;

// Pieces of names: accents, emoji (one with a zero-width joiner), blanks inside (a tab or a line
// break inside a name is refused).
const QStringList kNamePieces = {
    QStringLiteral("Analisi"), QStringLiteral("Fisica"), QStringLiteral("Économie"),
    QStringLiteral("Müller"),  QStringLiteral("Łódź"),   QStringLiteral("ñandú"),
    QStringLiteral("straße"),  QStringLiteral("🎓"),      QStringLiteral("👩‍🔬"),
    QStringLiteral("😀"),       QStringLiteral(" "),      QStringLiteral("II"),
    QStringLiteral("3"),       QStringLiteral("Œuvre"),  QStringLiteral("çà"),
};

struct TypedRecord {
    QString name, date, mark, credits; // as typed, blanks around included
    QString line;                      // the line the store must hold
};

QString Pick(QRandomGenerator& random, const QStringList& from) {
    return from.at(static_cast<qsizetype>(random.bounded(static_cast<int>(from.size()))));
}

QString Blanks(QRandomGenerator& random) { return QString(random.bounded(3), QLatin1Char(' ')); }

TypedRecord RandomRecord(QRandomGenerator& random, bool dayFirst) {
    QString name;
    const int pieces = 1 + random.bounded(4);
    for (int i = 0; i < pieces; ++i)
        name += Pick(random, kNamePieces);
    // The blanks around a name are typed separately; the line keeps what lies between them.
    while (name.startsWith(u' '))
        name.remove(0, 1);
    while (name.endsWith(u' '))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Lab");
    const QDate day = QDate(2000, 1, 1).addDays(random.bounded(11323));
    const QString date = FormatDateTime(day, DateFormat::Short);
    QStringList marks = {QStringLiteral("27"),    QStringLiteral("30"),   QStringLiteral("0"),
                         QStringLiteral("2.8E1"), QStringLiteral("28.0"), QStringLiteral("18"),
                         QStringLiteral("1e1")};
    QStringList credits = {QStringLiteral("9"), QStringLiteral("6"), QStringLiteral("12"),
                           QStringLiteral("0")};
    marks.append(dayFirst ? QStringLiteral("27,5") : QStringLiteral("27.5"));
    credits.append(dayFirst ? QStringLiteral("7,5") : QStringLiteral("7.5"));
    const QString mark = Pick(random, marks), credit = Pick(random, credits);
    return {Blanks(random) + name + Blanks(random), Blanks(random) + date + Blanks(random),
            Blanks(random) + mark + Blanks(random), Blanks(random) + credit + Blanks(random),
            name + u';' + date + u';' + mark + u';' + credit};
}

QStringList Sorted(QStringList lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

class TestRoundTrips : public QObject {
    Q_OBJECT
private slots:
    void typedRecordsReadBackInTheSameOrder_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("American dates and decimal points") << "en_US";
        QTest::newRow("Italian dates and decimal commas") << "it_IT";
        QTest::newRow("German dates and decimal commas") << "de_DE";
    }

    void typedRecordsReadBackInTheSameOrder() {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const bool dayFirst = locale != QStringLiteral("en_US");
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        w.AddExam->trigger();
        QRandomGenerator random(0xE4A0 + static_cast<quint32>(locale.at(0).unicode()));
        QStringList typedLines;
        for (int i = 0; i < kTypedRecords; ++i) {
            const TypedRecord record = RandomRecord(random, dayFirst);
            w.Text[1]->setText(record.date);
            w.Text[2]->setText(record.mark);
            w.Text[3]->setText(record.credits);
            // Names in plain letters and digits are typed key by key; the others are pasted (a tab
            // key would move to the next box, and key clicks carry only ASCII).
            const bool plain = std::all_of(record.name.cbegin(), record.name.cend(),
                                           [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
            if (!plain) {
                w.Text[0]->setText(record.name);
            } else {
                w.Text[0]->clear();
                QTest::keyClicks(w.Text[0], record.name);
            }
            QCOMPARE(w.Text[0]->text(), record.name);
            QVERIFY2(w.ExamComm->isEnabled(), qPrintable(record.line));
            QTest::mouseClick(w.ExamComm, Qt::LeftButton);
            QCOMPARE(w.Text[0]->text(), QString());
            typedLines.append(record.line);
        }
        QCOMPARE(Sorted(w.ExamList->Lines()), Sorted(typedLines));
        const QStringList held = w.ExamList->Lines();

        w.Save->trigger();
        QCOMPARE(fixture.messages().prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        const QByteArray saved = fixture.dataFileBytes();
        QCOMPARE(saved, DataFile(held));

        w.Load->trigger();
        QCOMPARE(fixture.messages().prompts.last().text, QStringLiteral("Examora.TXT Loaded"));
        QCOMPARE(w.ExamList->Lines(), held);
        w.Save->trigger();
        QCOMPARE(fixture.dataFileBytes(), saved);
        qInfo().noquote() << "figure round-trip-records" << held.size() << locale;
    }

    // Lines written by hand or by another program may carry marks and credits that are not
    // numbers: they pass the record test and must come back from a load and a save unchanged.
    void marksThatAreNotNumbersSurvive_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("cum laude in words")
            << "it_IT"
            << QStringList{"Analisi;15/01/2004;30 e lode;6", "Fisica;12/06/2006;30L;9",
                           "Storia;1/2/03;trenta;n/d"};
        QTest::newRow("letter grades")
            << "en_US" << QStringList{"Chemistry;3/4/2005;A+;6", "Physics;12/6/2006;pass;nine"};
        QTest::newRow("empty fields")
            << "de_DE" << QStringList{";12.06.2006;;", "Mathe;12.06.2006;sehr gut;9 LP"};
    }

    void marksThatAreNotNumbersSurvive() {
        QFETCH(QString, locale);
        QFETCH(QStringList, lines);
        QLocale::setDefault(QLocale(locale));
        const QByteArray original = DataFile(lines);
        WindowFixture fixture(original);
        Form1& w = fixture.window();
        QCOMPARE(w.ExamList->Lines(), lines);
        w.Save->trigger();
        QCOMPARE(fixture.messages().prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        QCOMPARE(fixture.dataFileBytes(), original);
        w.Load->trigger();
        QCOMPARE(w.ExamList->Lines(), lines);
        qInfo().noquote() << "figure round-trip-records" << lines.size() << locale;
    }

    // An older file in the Windows code page: read with its accented names, written back in UTF-8.
    void windows1252FileComesBackInUtf8() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const QByteArray legacy = "Analisi matem\xE0tica;15/01/2004;30;6\r\n"
                                  "Econom\xED"
                                  "a \x80;12/06/2006;27,5;9\r\n"
                                  "Fran\xE7"
                                  "ais \x96 orale;1/2/2003;28;3\r\n"
                                  "M\xFC"
                                  "ller \x8C"
                                  "uvre;2/3/2005;30 e lode;12\r\n";
        const QStringList names = {QStringLiteral("Analisi matemàtica;15/01/2004;30;6"),
                                   QStringLiteral("Economía €;12/06/2006;27,5;9"),
                                   QStringLiteral("Français – orale;1/2/2003;28;3"),
                                   QStringLiteral("Müller Œuvre;2/3/2005;30 e lode;12")};
        WindowFixture fixture(legacy);
        Form1& w = fixture.window();
        QCOMPARE(w.ExamList->Lines(), names);
        w.Save->trigger();
        QCOMPARE(fixture.messages().prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        const QByteArray utf8 = "Analisi matem\xC3\xA0tica;15/01/2004;30;6\r\n"
                                "Econom\xC3\xAD"
                                "a \xE2\x82\xAC;12/06/2006;27,5;9\r\n"
                                "Fran\xC3\xA7"
                                "ais \xE2\x80\x93 orale;1/2/2003;28;3\r\n"
                                "M\xC3\xBC"
                                "ller \xC5\x92uvre;2/3/2005;30 e lode;12\r\n";
        QCOMPARE(fixture.dataFileBytes(), utf8);
        w.Load->trigger();
        QCOMPARE(w.ExamList->Lines(), names);
        qInfo().noquote() << "figure round-trip-records" << names.size() << "Windows-1252";
    }
};

QTEST_MAIN(TestRoundTrips)
#include "tst_round_trips.moc"
