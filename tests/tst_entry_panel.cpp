// The entry panel driven as a user does: keys typed into the four boxes, clicks on the button, and
// the change of a held exam opened from the list.
#include "records/record_line.h"
#include "support/window_fixture.h"
#include "window/widgets/button_face.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QStringList kThree = {"Algebra;1/1/2006;28;6", "Biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6"};
const QString kSaveQuestion = QStringLiteral("Do you want to save changes ?");
// The button as held (enabled, caption, face) and as drawn just inside its border.
const QString kArmed = QStringLiteral("enabled 'OK' #00ff00 #00ff00");
const QString kDisarmed = QStringLiteral("disabled '' #ff0000 #ff0000");

QString ButtonState(WindowFixture& f) {
    QPushButton* button = f.button();
    return QStringLiteral("%1 '%2' %3 %4")
        .arg(button->isEnabled() ? "enabled" : "disabled", button->text(), ButtonFace(button).name(),
             button->grab().toImage().pixelColor(6, 6).name());
}

// The panel's four captions, then what its four boxes hold.
QStringList Panel(WindowFixture& f) {
    QStringList shown;
    for (int i = 0; i < 8; ++i)
        shown << (i < 4 ? f.label(i)->Caption() : f.text(i - 4)->text());
    return shown;
}
const QStringList kFieldCaptions = {"Date", "Mark", "Credit value"};

// Types into the name, mark and credit value boxes, without Enter.
void Type(WindowFixture& f, const QString& name, const QString& mark, const QString& credits) {
    QTest::keyClicks(f.text(0), name);
    QTest::keyClicks(f.text(2), mark);
    QTest::keyClicks(f.text(3), credits);
}

// The question that closing the window asks, dismissed so that the window stays; empty when none
// is asked (the window then closes).
QString CloseQuestion(WindowFixture& f) {
    const qsizetype before = f.messages().prompts.size();
    f.messages().AnswerNext(AnswerCancel);
    f.window().close();
    return f.messages().prompts.size() > before ? f.messages().prompts.last().text : QString();
}

} // namespace

class TestEntryPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstExams_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("dates"); // today's, a later one, one that does not read
        QTest::newRow("en_US") << "en_US" << QStringList{"12/7/2026", "1/2/2007", "13/45/2006"};
        QTest::newRow("de_DE") << "de_DE" << QStringList{"07.12.2026", "1.2.2007", "13.13.2006"};
    }
    void firstExams() {
        QFETCH(QString, locale);
        QFETCH(QStringList, dates);
        const QString today = dates[0], later = dates[1], wrong = dates[2];
        QLocale::setDefault(QLocale(locale));
        WindowFixture f(std::nullopt);
        QCOMPARE(Panel(f), (QStringList{"Exam  1"} + kFieldCaptions + QStringList{"", today, "", ""}));
        QVERIFY(f.button()->isVisible());
        QCOMPARE(ButtonState(f), kDisarmed);
        QVERIFY(!f.action("ShowExams")->isEnabled());

        // Every key in a box runs the field test again.
        Type(f, "Physics", "27", "9");
        QCOMPARE(ButtonState(f), kArmed);
        const std::pair<Qt::Key, QString> keys[] = {
            {Qt::Key_X, kDisarmed},         {Qt::Key_Backspace, kArmed}, {Qt::Key_Backspace, kArmed},
            {Qt::Key_Backspace, kDisarmed}, {Qt::Key_2, kArmed},         {Qt::Key_7, kArmed}};
        for (const auto& [key, state] : keys) {
            QTest::keyClick(f.text(2), key);
            QCOMPARE(ButtonState(f), state);
        }
        QTest::mouseClick(f.button(), Qt::LeftButton);
        QCOMPARE(f.lines(), QStringList{"Physics;" + today + ";27;9"});
        QCOMPARE(Panel(f), (QStringList{"Exam  2"} + kFieldCaptions + QStringList{"", today, "", ""}));
        QCOMPARE(ButtonState(f), kDisarmed);
        QVERIFY(f.action("ShowExams")->isEnabled());
        QVERIFY(f.text(0)->isVisible()); // the panel stays for the next exam

        // Blanks around a name go; a click on a disarmed button inserts nothing.
        WindowFixture::retype(f.text(1), later);
        Type(f, "  Analysis 2 ", "30", "6");
        QCOMPARE(ButtonState(f), kArmed);
        QTest::mouseClick(f.button(), Qt::LeftButton);
        WindowFixture::retype(f.text(1), wrong);
        Type(f, "Chemistry", "25", "6");
        QCOMPARE(ButtonState(f), kDisarmed);
        QTest::mouseClick(f.button(), Qt::LeftButton);
        QCOMPARE(f.lines(), (QStringList{"Analysis 2;" + later + ";30;6", "Physics;" + today + ";27;9"}));
        QVERIFY(f.messages().prompts.isEmpty());
        QCOMPARE(CloseQuestion(f), kSaveQuestion);
    }

    // Tab goes from box to box and on to the button and the list; Enter in a box does nothing until
    // the fields pass, then presses the button, as Enter on the button does. A cell pasted from a
    // spreadsheet brings its line break; a long name is kept whole in the file. After
    // another view the boxes keep what was typed, and the date is the new day's.
    void typingPastingAndComingBack() {
        WindowFixture f(std::nullopt);
        QWidget* const chain[] = {f.text(0), f.text(1), f.text(2), f.text(3), f.button(), f.list()};
        for (int i = 0; i + 1 < 6; ++i) { // the next widget that Tab can reach, shown or not
            QWidget* next = chain[i]->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, chain[i + 1]);
        }
        QTest::keyClicks(f.text(0), "Physics");
        QTest::keyClick(f.text(0), Qt::Key_Return);
        QVERIFY(f.lines().isEmpty());
        Type(f, "", "27", "9");
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        f.text(0)->setFocus();
        for (int i = 1; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(), chain[i]);
        }
        QTest::keyClick(f.button(), Qt::Key_Return);
        QCOMPARE(f.lines(), QStringList{"Physics;12/7/2026;27;9"});
        Type(f, "Algebra", "30", "6");
        QTest::keyClick(f.text(3), Qt::Key_Enter);
        QCOMPARE(f.lines(), (QStringList{"Algebra;12/7/2026;30;6", "Physics;12/7/2026;27;9"}));

        const QString name(40000, u'x');
        f.text(0)->setText(name);
        QTest::keyClicks(f.text(3), "6");
        QApplication::clipboard()->setText("30\n");
        QTest::keySequence(f.text(2), QKeySequence::Paste);
        QCOMPARE(f.text(2)->text(), QStringLiteral("30\n"));
        QTest::mouseClick(f.button(), Qt::LeftButton);

        Type(f, "Phys", "", "9");
        f.choose("Info");
        QVERIFY(!f.text(0)->isVisible());
        f.clock().Set(QDate(2026, 12, 8));
        f.choose("AddExam");
        QCOMPARE(Panel(f),
                 (QStringList{"Exam  4"} + kFieldCaptions + QStringList{"Phys", "12/8/2026", "", "9"}));
        QCOMPARE(f.label(1)->FontSize(), 24.0);
        f.choose("Save");
        QCOMPARE(f.dataFileBytes(),
                 DataFile({"Algebra;12/7/2026;30;6", "Physics;12/7/2026;27;9", name + ";12/7/2026;30;6"}));
    }

    // The number on the panel follows the exams held, after an erase too; a typed line goes to its
    // place in the list, sorted ignoring case.
    void numberAndSortedPlace() {
        const QStringList kept = {"Algebra;1/1/2006;28;6", "algorithms;2/2/2006;30;6",
                                  "Biology;3/3/2006;25;6"};
        WindowFixture f(DataFile({kept[0], kept[2], "Omega;1/4/2006;28;6", kept[1], "Delta;1/5/2006;28;6"}));
        f.choose("ShowExams");
        for (const char* line : {"Omega;1/4/2006;28;6", "Delta;1/5/2006;28;6"})
            f.setChecked(f.lines().indexOf(line), true);
        f.choose("EraseExams");
        QCOMPARE(f.lines(), kept);
        f.choose("AddExam");
        QCOMPARE(f.label(0)->Caption(), QStringLiteral("Exam  4"));
        WindowFixture::retype(f.text(1), "1/2/2007");
        Type(f, "  Analysis 2 ", "30", "6");
        QTest::mouseClick(f.button(), Qt::LeftButton);
        QCOMPARE(f.lines(), (QStringList{kept[0], kept[1], "Analysis 2;1/2/2007;30;6", kept[2]}));
        QCOMPARE(f.label(0)->Caption(), QStringLiteral("Exam  5"));
    }

    void changeInPlace_data() {
        QTest::addColumn<QString>("how"); // "click" on the text, "box" on the check box, "enter", "abandon"
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name"); // "" keeps the name
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("current"); // the changed line's row in the list view, -1 for no list view
        QTest::newRow("double click on the text, name kept")
            << "click" << 1 << "" << QStringList{kThree[0], "Biology;1/2/2006;30;6", kThree[2]} << 1;
        QTest::newRow("Enter, renamed: the line moves to its sorted place")
            << "enter" << 0 << "Zoology" << QStringList{kThree[1], kThree[2], "Zoology;1/1/2006;30;6"} << 2;
        QTest::newRow("double click on the check box changes nothing") << "box" << 1 << "" << kThree << -1;
        QTest::newRow("Add exam abandons the change: the button adds")
            << "abandon" << 2 << "Drawing" << (kThree + QStringList{"Drawing;12/7/2026;30;6"}) << -1;
    }
    void changeInPlace() {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        QFETCH(int, current);
        WindowFixture f(DataFile(kThree));
        f.choose("ShowExams");
        QListView* list = f.list();
        const QModelIndex index = list->model()->index(row, 0);
        list->setCurrentIndex(index);
        const QRect line = list->visualRect(index);
        if (how == "enter")
            QTest::keyClick(list, Qt::Key_Return);
        else
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               how == "box" ? QPoint(line.left() + 8, line.center().y()) : line.center());
        QCOMPARE(f.text(0)->isVisible(), how != "box");
        if (how == "box") {
            QCOMPARE(f.lines(), after);
            return;
        }
        QCOMPARE(Panel(f), QStringList{"Change exam"} + kFieldCaptions + RecordParts(kThree[row]));
        if (how == "abandon")
            f.choose("AddExam");
        if (!name.isEmpty())
            WindowFixture::retype(f.text(0), name);
        WindowFixture::retype(f.text(3), "6");
        WindowFixture::retype(f.text(2), "30");
        QTest::keyClick(f.text(2), Qt::Key_Return);
        QCOMPARE(f.lines(), after);
        QCOMPARE(f.text(0)->isVisible(), current < 0);
        if (current >= 0)
            QCOMPARE(list->currentIndex().row(), current);
        QCOMPARE(CloseQuestion(f), kSaveQuestion);
        f.choose("Undo");
        QCOMPARE(f.lines(), kThree);
        QCOMPARE(CloseQuestion(f), QString());
    }
};

QTEST_MAIN(TestEntryPanel)
#include "tst_entry_panel.moc"
