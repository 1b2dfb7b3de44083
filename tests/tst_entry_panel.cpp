// The entry panel driven as a user does: keys typed into the four boxes, clicks on the button.
#include "records/record_line.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

const QColor kGreen(0, 255, 0), kRed(255, 0, 0);

void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

const QStringList kThree = {"Algebra;1/1/2006;28;6", "Biology;1/2/2006;25;6", "Chemistry;1/3/2006;30;6"};

void TypeExam(Form1& w, const QString& name, const QString& mark, const QString& credits) {
    QTest::keyClicks(w.Text[0], name);
    QTest::keyClicks(w.Text[2], mark);
    QTest::keyClicks(w.Text[3], credits);
}

bool Armed(Form1& w) {
    return w.ExamComm->isEnabled() && w.ExamComm->text() == QLatin1String("OK") &&
           ButtonFace(w.ExamComm) == kGreen;
}

bool Disarmed(Form1& w) {
    return !w.ExamComm->isEnabled() && w.ExamComm->text().isEmpty() && ButtonFace(w.ExamComm) == kRed;
}

// The next widget that Tab can reach, shown or not.
QWidget* NextTabStop(QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

// The face as drawn, just inside the button's border.
QColor FaceOnScreen(Form1& w) { return w.ExamComm->grab().toImage().pixelColor(6, 6); }

} // namespace

class TestEntryPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstOpening_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("today");
        QTest::addRow("en_US") << "en_US"
                               << "12/7/2026";
        QTest::addRow("de_DE") << "de_DE"
                               << "07.12.2026";
    }

    void firstOpening() {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  1"));
        QCOMPARE(w.Label[1]->Caption(), QStringLiteral("Date"));
        QCOMPARE(w.Label[2]->Caption(), QStringLiteral("Mark"));
        QCOMPARE(w.Label[3]->Caption(), QStringLiteral("Credit value"));
        QTEST(w.Text[1]->text(), "today");
        QVERIFY(w.Text[0]->text().isEmpty() && w.Text[2]->text().isEmpty() && w.Text[3]->text().isEmpty());
        QVERIFY(w.ExamComm->isVisible());
        QVERIFY(Disarmed(w));
        QCOMPARE(FaceOnScreen(w), kRed);
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
        QTest::newRow("another view abandons the change: the button adds")
            << "abandon" << 2 << "Drawing" << (kThree + QStringList{"Drawing;12/7/2026;30;6"}) << -1;
    }
    void changeInPlace() {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        QFETCH(int, current);
        WindowFixture fixture(DataFile(kThree));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        ExamListBox* list = w.ExamList;
        const QModelIndex index = list->model()->index(row, 0);
        list->setCurrentIndex(index);
        const QRect line = list->visualRect(index);
        if (how == "enter")
            QTest::keyClick(list, Qt::Key_Return);
        else
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               how == "box" ? QPoint(line.left() + 8, line.center().y()) : line.center());
        QCOMPARE(w.Text[0]->isVisible(), how != "box");
        if (how == "box") {
            QCOMPARE(list->Lines(), after);
            return;
        }
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Change exam"));
        QCOMPARE((QStringList{w.Text[0]->text(), w.Text[1]->text(), w.Text[2]->text(), w.Text[3]->text()}),
                 RecordParts(kThree[row]));
        if (how == "abandon")
            w.AddExam->trigger();
        if (!name.isEmpty())
            Retype(w.Text[0], name);
        Retype(w.Text[2], QStringLiteral("30"));
        QTest::keyClick(w.Text[2], Qt::Key_Return);
        QCOMPARE(list->Lines(), after);
        QVERIFY(w.dataChanged);
        QCOMPARE(w.Text[0]->isVisible(), current < 0);
        if (current >= 0)
            QCOMPARE(list->currentIndex().row(), current);
        w.Undo->trigger();
        QCOMPARE(list->Lines(), kThree);
        QVERIFY(!w.dataChanged);
    }

    void insertion() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QVERIFY(!w.ShowExams->isEnabled());
        TypeExam(w, QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        QVERIFY(Armed(w));
        QCOMPARE(FaceOnScreen(w), kGreen);
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);

        QCOMPARE(w.ExamList->Lines(), QStringList{"Physics;12/7/2026;27;9"});
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  2"));
        QVERIFY(w.Text[0]->text().isEmpty() && w.Text[2]->text().isEmpty() && w.Text[3]->text().isEmpty());
        QCOMPARE(w.Text[1]->text(), QStringLiteral("12/7/2026"));
        QVERIFY(Disarmed(w));
        QCOMPARE(FaceOnScreen(w), kRed);
        QVERIFY(w.ShowExams->isEnabled());
        QVERIFY(w.dataChanged);
        QVERIFY(w.Text[0]->isVisible()); // the panel stays for the next exam
        QVERIFY(fixture.messages().prompts.isEmpty());
    }

    void insertionDayFirst() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        TypeExam(w, QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        Retype(w.Text[1], QStringLiteral("1.2.2007"));
        TypeExam(w, QStringLiteral("  Analysis 2 "), QStringLiteral("30"), QStringLiteral("6"));
        QVERIFY(Armed(w));
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        Retype(w.Text[1], QStringLiteral("13.13.2006")); // no month 13
        TypeExam(w, QStringLiteral("Chemistry"), QStringLiteral("25"), QStringLiteral("6"));
        QVERIFY(Disarmed(w));
        QCOMPARE(w.ExamList->Lines(), (QStringList{"Analysis 2;1.2.2007;30;6", "Physics;07.12.2026;27;9"}));
    }

    void fieldsArmTheButton_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("date"); // "" keeps the proposed date, "-" empties the box
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("credits");
        QTest::addColumn<bool>("armed");
        QTest::addRow("mark -1 disarms") << "Physics"
                                         << ""
                                         << "-1"
                                         << "9" << false;
        QTest::addRow("credit value -0.5 disarms") << "Physics"
                                                   << ""
                                                   << "27"
                                                   << "-0.5" << false;
        QTest::addRow("28abc is no number") << "Physics"
                                            << ""
                                            << "28abc"
                                            << "9" << false;
        QTest::addRow("empty mark disarms") << "Physics"
                                            << ""
                                            << ""
                                            << "9" << false;
        QTest::addRow("date box emptied disarms") << "Physics"
                                                  << "-"
                                                  << "27"
                                                  << "9" << false;
        QTest::addRow("a blank date disarms") << "Physics"
                                              << " "
                                              << "27"
                                              << "9" << false;
        QTest::addRow("a date that does not read disarms") << "Physics"
                                                           << "13/45/2006"
                                                           << "27"
                                                           << "9" << false;
        QTest::addRow("name with a semicolon disarms") << "Ana;lysis"
                                                       << ""
                                                       << "27"
                                                       << "9" << false;
        QTest::addRow("mark beyond a double disarms") << "Physics"
                                                      << ""
                                                      << "1e400"
                                                      << "9" << false;
        QTest::addRow("mark 0 and credit value 0 arm") << "Physics"
                                                       << ""
                                                       << "0"
                                                       << "0" << true;
        QTest::addRow("mark 110 arms") << "Physics"
                                       << ""
                                       << "110"
                                       << "9" << true;
        QTest::addRow("another typed date arms") << "Physics"
                                                 << "2/28/2005"
                                                 << "27"
                                                 << "9" << true;
    }

    void fieldsArmTheButton() {
        QFETCH(QString, name);
        QFETCH(QString, date);
        QFETCH(QString, mark);
        QFETCH(QString, credits);
        QFETCH(bool, armed);
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        if (!date.isEmpty())
            Retype(w.Text[1], date == QLatin1String("-") ? QString() : date);
        TypeExam(w, name, mark, credits);
        QCOMPARE(Armed(w), armed);
        QCOMPARE(Disarmed(w), !armed);
        QCOMPARE(FaceOnScreen(w), armed ? kGreen : kRed);
        // A click on a disarmed button inserts nothing.
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        QCOMPARE(w.ExamList->ListCount(), armed ? 1 : 0);
        QVERIFY(fixture.messages().prompts.isEmpty());
    }

    void everyChangeRunsTheTest() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        TypeExam(w, QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        QVERIFY(Armed(w));
        QTest::keyClick(w.Text[2], Qt::Key_Backspace);
        QTest::keyClick(w.Text[2], Qt::Key_Backspace);
        QVERIFY(Disarmed(w));
        QTest::keyClicks(w.Text[2], QStringLiteral("3"));
        QVERIFY(Armed(w));
        QTest::keyClicks(w.Text[2], QStringLiteral("x"));
        QVERIFY(Disarmed(w));
        QTest::keyClick(w.Text[2], Qt::Key_Backspace);
        QVERIFY(Armed(w));
    }

    void trimmedLineAtItsSortedPlace() {
        WindowFixture fixture(
            DataFile({"Algebra;1/1/2006;28;6", "Biology;3/3/2006;25;6", "algorithms;2/2/2006;30;6"}));
        Form1& w = fixture.window();
        w.AddExam->trigger();
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  4"));
        Retype(w.Text[1], QStringLiteral("1/2/2007"));
        TypeExam(w, QStringLiteral("  Analysis 2 "), QStringLiteral("30"), QStringLiteral("6"));
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        QCOMPARE(w.ExamList->Lines(), (QStringList{"Algebra;1/1/2006;28;6", "algorithms;2/2/2006;30;6",
                                                   "Analysis 2;1/2/2007;30;6", "Biology;3/3/2006;25;6"}));
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  5"));
    }

    void nameOfBlanksIsEmpty() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        TypeExam(w, QStringLiteral("   "), QStringLiteral("27"), QStringLiteral("9"));
        QVERIFY(Disarmed(w));
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        QCOMPARE(w.ExamList->ListCount(), 0);
    }

    // A cell pasted from a spreadsheet brings its line break; a long name is kept whole.
    void pastedTextIsStoredAsTested() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        const QString name(40000, u'x');
        w.Text[0]->setText(name);
        QTest::keyClicks(w.Text[3], QStringLiteral("6"));
        QApplication::clipboard()->setText(QStringLiteral("30\n"));
        QTest::keySequence(w.Text[2], QKeySequence::Paste);
        QCOMPARE(w.Text[2]->text(), QStringLiteral("30\n"));
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        QCOMPARE(w.ExamList->Lines(), QStringList{name + QStringLiteral(";12/7/2026;30;6")});
    }

    void tabOrder() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QWidget* const chain[] = {w.Text[0], w.Text[1], w.Text[2], w.Text[3], w.ExamComm, w.ExamList};
        for (int i = 0; i + 1 < 6; ++i)
            QCOMPARE(NextTabStop(chain[i]), chain[i + 1]);
        TypeExam(w, QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Text[0]->setFocus();
        for (int i = 1; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(), chain[i]);
        }
        // Enter on the armed button inserts.
        QTest::keyClick(w.ExamComm, Qt::Key_Return);
        QCOMPARE(w.ExamList->Lines(), QStringList{"Physics;12/7/2026;27;9"});
    }

    void enterInAFieldInsertsWhenArmed() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QTest::keyClicks(w.Text[0], QStringLiteral("Physics"));
        QTest::keyClick(w.Text[0], Qt::Key_Return); // not yet armed: nothing happens
        QCOMPARE(w.ExamList->ListCount(), 0);
        QTest::keyClicks(w.Text[2], QStringLiteral("27"));
        QTest::keyClicks(w.Text[3], QStringLiteral("9"));
        QTest::keyClick(w.Text[3], Qt::Key_Enter);
        QCOMPARE(w.ExamList->Lines(), QStringList{"Physics;12/7/2026;27;9"});
    }

    void boxesKeepWhatWasTyped() {
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        QTest::keyClicks(w.Text[0], QStringLiteral("Phys"));
        QTest::keyClicks(w.Text[3], QStringLiteral("9"));
        w.Info->trigger();
        QVERIFY(!w.Text[0]->isVisible());
        fixture.clock().Set(QDate(2026, 12, 8));
        w.AddExam->trigger();
        QCOMPARE(w.Text[0]->text(), QStringLiteral("Phys"));
        QCOMPARE(w.Text[3]->text(), QStringLiteral("9"));
        QCOMPARE(w.Text[1]->text(), QStringLiteral("12/8/2026")); // the new day
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  1"));
        QCOMPARE(w.Label[1]->FontSize(), 24.0);
    }

    void numberFollowsTheHeldCount() {
        WindowFixture fixture(DataFile(
            {"A;1/1/2006;28;6", "B;1/2/2006;28;6", "C;1/3/2006;28;6", "D;1/4/2006;28;6", "E;1/5/2006;28;6"}));
        Form1& w = fixture.window();
        w.ShowExams->trigger();
        for (int row : {1, 3})
            w.ExamList->Store().setData(w.ExamList->Store().index(row), Qt::Checked, Qt::CheckStateRole);
        w.EraseExams->trigger();
        w.AddExam->trigger();
        QCOMPARE(w.Label[0]->Caption(), QStringLiteral("Exam  4"));
    }
};

QTEST_MAIN(TestEntryPanel)
#include "tst_entry_panel.moc"
