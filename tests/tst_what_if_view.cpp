// The what-if view driven as a user does, from an exam with honours typed in the entry panel to a
// planned exam and a target.
#include "support/window_fixture.h"

#include <QComboBox>
#include <QTableWidget>
#include <QTest>

using namespace examora;
using namespace examora::testing;

namespace {

// Overall mark, average, credits, honours and graduation base: now (0) or with the plan (1).
QStringList Figures(WindowFixture& f, int column) {
    QStringList shown;
    for (int i = 0; i < 5; ++i)
        shown.append(f.find<QLabel>(QStringLiteral("WhatIf%1%2").arg(i).arg(column))->text());
    return shown;
}

} // namespace

class TestWhatIfView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void honoursPlanAndTarget() {
        WindowFixture f(DataFile({"Analysis;1/10/2005;30;6", "Chemistry;2/15/2006;0;3", "Physics;6/20/2005;24;9"}));
        f.choose("AddExam");
        WindowFixture::retype(f.text(0), QStringLiteral("Latin"));
        WindowFixture::retype(f.text(2), QStringLiteral("31L"));
        QCOMPARE(f.button()->toolTip(), QStringLiteral("Mark: a number, or 30L for honours"));
        QCOMPARE(f.button()->accessibleDescription(), f.button()->toolTip());
        QCOMPARE(f.button()->accessibleName(), QStringLiteral("OK"));
        f.typeExam("Latin", "30 Cum Laude", "0", "1/1/2007");
        QVERIFY(f.lines().contains(QStringLiteral("Latin;1/1/2007;30L;0")));

        f.choose("WhatIf");
        QCOMPARE(f.caption(), QStringLiteral("Examora"));
        QVERIFY(!f.text(0)->isVisible() && !f.label(0)->isVisible());
        QCOMPARE(Figures(f, 0), (QStringList{"26.4", "28", "18", "1", "96.8"}));
        QCOMPARE(Figures(f, 1), Figures(f, 0));
        auto* plan = f.find<QTableWidget>("Plan");
        QVERIFY(plan->hasFocus());
        QTest::mouseClick(f.find<QPushButton>("AddPlanned"), Qt::LeftButton);
        const QStringList row{"Thesis", "12", "30 e lode"};
        for (int column = 0; column < 3; ++column)
            plan->setItem(0, column, new QTableWidgetItem(row[column]));
        QCOMPARE(Figures(f, 1), (QStringList{"28", "28.5", "30", "2", "102.7"}));
        auto* target = f.find<QLineEdit>("Target");
        QTest::keyClicks(target, "27");
        QCOMPARE(f.find<QLabel>("Outlook")->text(),
                 QStringLiteral("The 150 missing credits need an average of 26.8 to reach 27."));
        f.find<QComboBox>("DegreeCredits")->setCurrentText(QStringLiteral("30"));
        QCOMPARE(f.find<QLabel>("Outlook")->text(), QStringLiteral("No credits are missing: the overall mark is final."));
        f.choose("MathMode"); // the view on screen follows the mode
        QCOMPARE(Figures(f, 1)[0], QStringLiteral("25.2"));

        // The plan is a calculator's: the file gets the typed exam, never the planned one.
        f.choose("Save");
        QCOMPARE(f.dataFileBytes(), DataFile({"Analysis;1/10/2005;30;6", "Chemistry;2/15/2006;0;3",
                                              "Latin;1/1/2007;30L;0", "Physics;6/20/2005;24;9"}));
        f.choose("ViewMainStats");
        QVERIFY(!plan->isVisible() && f.label(1)->isVisible());
    }
};

QTEST_MAIN(TestWhatIfView)
#include "tst_what_if_view.moc"
