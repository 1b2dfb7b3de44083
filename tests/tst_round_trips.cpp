// Round trips through the data file: records typed into the entry panel, saved and read back, are
// the same lines in the same order, and so are lines read from a file, whatever they hold.
#include "records/conversions.h"
#include "support/window_fixture.h"

#include <QRandomGenerator>
#include <QTest>

using namespace examora;
using namespace examora::testing;

// Pieces of names: accents, emoji (one with a zero-width joiner), blanks.
const QStringList kNamePieces = {"Analisi", "Fisica", "Économie", "Müller",      "Łódź",
                                 "ñandú",   "straße", "🎓",        "👩‍🔬", "😀",
                                 " ",       "II",     "3",        "Œuvre",       "çà"};

class TestRoundTrips : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("file");   // none: 120 records are typed into the panel
        QTest::addColumn<QStringList>("lines"); // those of the file, in any order
        QTest::newRow("typed, American dates and decimal points") << "en_US" << QByteArray() << QStringList();
        QTest::newRow("typed, Italian dates and decimal commas") << "it_IT" << QByteArray() << QStringList();
        // Lines of an older program, in the Windows code page, whose marks and credits are not all
        // numbers: they pass the record test and come back unchanged, in UTF-8.
        QTest::newRow("Windows-1252, marks and credits in words, empty fields")
            << "it_IT"
            << QByteArray(
                   "Analisi matem\xE0tica;15/01/2004;30 e lode;6\r\n;12/06/2006;;\r\nPrezzo \x80;12/06/2006;"
                   "27,5;9\r\nLe\xE7on \x96 orale;1/2/03;trenta;n/d\r\nM\xFCller "
                   "\x8Cuvre;2/3/2005;A+;nine\r\n")
            << QStringList{"Analisi matemàtica;15/01/2004;30 e lode;6", ";12/06/2006;;",
                           "Prezzo €;12/06/2006;27,5;9", "Leçon – orale;1/2/03;trenta;n/d",
                           "Müller Œuvre;2/3/2005;A+;nine"};
    }
    void roundTrip() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        QLocale::setDefault(QLocale(locale));
        WindowFixture f(file.isNull() ? std::nullopt : std::optional(file));
        QRandomGenerator random(0xE4A0 + static_cast<quint32>(locale.at(0).unicode()));
        const auto pick = [&random](const QStringList& from) {
            return from.at(random.bounded(int(from.size())));
        };
        for (int i = 0; file.isNull() && i < 120; ++i) {
            QString name;
            for (int pieces = 1 + random.bounded(4); pieces > 0; --pieces)
                name += pick(kNamePieces);
            name = name.trimmed().isEmpty() ? QStringLiteral("Lab") : name.trimmed();
            const QStringList parts = {
                name, FormatDateTime(QDate(2000, 1, 1).addDays(random.bounded(11323)), DateFormat::Short),
                pick({"27", "30", "0", "2.8E1", "28.0", "18", "1e1", QLocale().toString(27.5)}),
                pick({"9", "6", "12", "0", QLocale().toString(7.5)})};
            for (int box : {1, 2, 3, 0}) // set whole, as a paste does, with blanks around
                f.text(box)->setText(QString(random.bounded(3), u' ') + parts[box] +
                                     QString(random.bounded(3), u' '));
            lines.append(parts.join(u';'));
            QTest::mouseClick(f.button(), Qt::LeftButton);
        }
        const QStringList held = f.lines();
        QStringList sorted = held;
        sorted.sort();
        lines.sort();
        QCOMPARE(sorted, lines);

        // Saved as the bytes of those lines, and loaded back.
        f.choose("Save");
        QCOMPARE(f.dataFileBytes(), DataFile(held));
        f.choose("Load");
        QCOMPARE(f.lines(), held);
        qInfo().noquote() << "figure round-trip-records" << held.size() << locale;
    }
};

QTEST_MAIN(TestRoundTrips)
#include "tst_round_trips.moc"
