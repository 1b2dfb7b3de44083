// Round trips through the data file: records typed into the entry panel, saved and read back are
// the same lines in the same order; lines read from a file keep marks that are not numbers through
// a load and a save; a file in the Windows code page comes back in UTF-8 with the same names.
#include "records/conversions.h"
#include "support/window_fixture.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace examora;
using namespace examora::testing;

namespace {

// Pieces of names: accents, emoji (one with a zero-width joiner), blanks inside (a tab or a line
// break inside a name is refused).
const QStringList kNamePieces = {"Analisi", "Fisica", "Économie", "Müller",      "Łódź",
                                 "ñandú",   "straße", "🎓",        "👩‍🔬", "😀",
                                 " ",       "II",     "3",        "Œuvre",       "çà"};

QString Pick(QRandomGenerator& random, const QStringList& from) {
    return from.at(random.bounded(static_cast<int>(from.size())));
}

QString Padded(QRandomGenerator& random, const QString& text) {
    return QString(random.bounded(3), u' ') + text + QString(random.bounded(3), u' ');
}

} // namespace

class TestRoundTrips : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("file"); // none: 120 records are typed into the panel
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("typed, American dates and decimal points") << "en_US" << QByteArray() << QStringList();
        QTest::newRow("typed, Italian dates and decimal commas") << "it_IT" << QByteArray() << QStringList();
        QTest::newRow("typed, German dates and decimal commas") << "de_DE" << QByteArray() << QStringList();
        // Lines written by hand or by another program may carry marks and credits that are not
        // numbers: they pass the record test and come back unchanged.
        auto row = [](const char* name, const char* locale, const QStringList& lines) {
            QTest::newRow(name) << QString::fromLatin1(locale) << DataFile(lines) << lines;
        };
        row("cum laude in words", "it_IT",
            {"Analisi;15/01/2004;30 e lode;6", "Fisica;12/06/2006;30L;9", "Storia;1/2/03;trenta;n/d"});
        row("letter grades", "en_US", {"Chemistry;3/4/2005;A+;6", "Physics;12/6/2006;pass;nine"});
        row("empty fields", "de_DE", {";12.06.2006;;", "Mathe;12.06.2006;sehr gut;9 LP"});
        // An older file in the Windows code page: read with its accented names, written in UTF-8.
        QTest::newRow("Windows-1252")
            << "it_IT"
            << QByteArray("Analisi matem\xE0tica;15/01/2004;30;6\r\nEconom\xED"
                          "a \x80;12/06/2006;27,5;9\r\nFran\xE7"
                          "ais \x96 orale;1/2/2003;28;3\r\nM\xFC"
                          "ller \x8C"
                          "uvre;2/3/2005;30 e lode;12\r\n")
            << QStringList{"Analisi matemàtica;15/01/2004;30;6", "Economía €;12/06/2006;27,5;9",
                           "Français – orale;1/2/2003;28;3", "Müller Œuvre;2/3/2005;30 e lode;12"};
    }
    void roundTrip() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, file);
        QLocale::setDefault(QLocale(locale));
        WindowFixture f(file.isNull() ? std::nullopt : std::optional(file));
        if (!file.isNull())
            QTEST(f.lines(), "lines");
        QRandomGenerator random(0xE4A0 + static_cast<quint32>(locale.at(0).unicode()));
        const bool comma = locale != QStringLiteral("en_US");
        QStringList typed;
        for (int i = 0; file.isNull() && i < 120; ++i) {
            QString name;
            for (int pieces = 1 + random.bounded(4); pieces > 0; --pieces)
                name += Pick(random, kNamePieces);
            // The blanks around a name are typed separately; the line keeps what lies between them.
            name = name.trimmed().isEmpty() ? QStringLiteral("Lab") : name.trimmed();
            const QStringList parts = {
                name, FormatDateTime(QDate(2000, 1, 1).addDays(random.bounded(11323)), DateFormat::Short),
                Pick(random, {"27", "30", "0", "2.8E1", "28.0", "18", "1e1", comma ? "27,5" : "27.5"}),
                Pick(random, {"9", "6", "12", "0", comma ? "7,5" : "7.5"})};
            for (int box = 1; box < 4; ++box)
                f.text(box)->setText(Padded(random, parts[box]));
            // Names in plain letters and digits are typed key by key; the others are pasted (a tab
            // key would move to the next box, and key clicks carry only ASCII).
            const QString typedName = Padded(random, name);
            f.text(0)->clear();
            if (std::all_of(typedName.cbegin(), typedName.cend(),
                            [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); }))
                QTest::keyClicks(f.text(0), typedName);
            else
                f.text(0)->setText(typedName);
            QCOMPARE(f.text(0)->text(), typedName);
            typed.append(parts.join(u';'));
            QVERIFY2(f.button()->isEnabled(), qPrintable(typed.last()));
            QTest::mouseClick(f.button(), Qt::LeftButton);
            QCOMPARE(f.text(0)->text(), QString());
        }
        const QStringList held = f.lines();
        QStringList sorted = held;
        sorted.sort();
        typed.sort();
        if (file.isNull())
            QCOMPARE(sorted, typed);

        // Saved, loaded back and saved again: the same lines, and each time the bytes of those lines.
        f.choose("Save");
        QCOMPARE(f.messages().prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        QCOMPARE(f.dataFileBytes(), DataFile(held));
        f.choose("Load");
        QCOMPARE(f.messages().prompts.last().text, QStringLiteral("Examora.TXT Loaded"));
        QCOMPARE(f.lines(), held);
        f.choose("Save");
        QCOMPARE(f.dataFileBytes(), DataFile(held));
        qInfo().noquote() << "figure round-trip-records" << held.size() << locale;
    }
};

QTEST_MAIN(TestRoundTrips)
#include "tst_round_trips.moc"
