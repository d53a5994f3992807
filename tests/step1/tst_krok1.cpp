#include "feedback/dobry.h"
#include "ui/forms/forms.h"
#include "app/konec.h"
#include "core/data_a_promene.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/testsupport.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using TestSupport::drawFor;

class TestKrok1 : public QObject {
    Q_OBJECT

    Krok1& startStep1()
    {
        Krok1& k = Forms::get<Krok1>();
        k.showModeless();
        if (!QTest::qWaitForWindowExposed(&k))
            qWarning("Krok1 was not exposed");
        return k;
    }

    // What a label of Vysledky shows, as the eye and a screen reader get it: a text taken as markup
    // would be read differently from what it holds ("<b>7</b>" read as a bold "7").
    QString vysledky(const char* name)
    {
        const QLabel* label = Forms::get<Vysledky>().findChild<QLabel*>(name);
        const QString heard =
            QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label))->text(QAccessible::Name);
        return heard == label->text() ? heard : label->text() + " read as " + heard;
    }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    void cleanup() { Forms::unloadAll(); }

    void showsTheExampleAndItsResult()
    {
        TestSupport::scriptNextExample({0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100), drawFor(3, 200, 100),
                                        drawFor(-4, 200, 100)});
        Krok1& k = startStep1();
        QStringList shown;
        for (const char* name : {"k1_0", "z_0", "k1_1", "k2_0", "z_1", "k2_1", "oper", "inform"})
            shown << k.findChild<QLabel*>(name)->text();
        QCOMPARE(shown, QStringList({"25", "+", "0", "3", "-", "4", "Podíl je:", "Daná čísla vyděl"}));
        QCOMPARE(Data_a_promene::resultRe, 3.0f);
        QCOMPARE(Data_a_promene::resultIm, 4.0f);
        // The later steps were prepared, hidden.
        QVERIFY(Forms::find<krok2>() && !Forms::find<krok2>()->isVisible());
        QVERIFY(Forms::find<Krok3>() && !Forms::find<Krok3>()->isVisible());
        QVERIFY(!Forms::get<Vysledky>().isVisible());
    }

    void entriesAreLimitedAndOrdered()
    {
        Krok1& k = startStep1();
        for (const char* name : {"vys_0", "vys_1", "absh", "fi"})
            QCOMPARE(k.findChild<QLineEdit*>(name)->maxLength(), 10);
        k.vys[0]->setFocus();
        QTest::keyClicks(k.vys[0], "12345678901234");
        QCOMPARE(k.vys[0]->text(), QStringLiteral("1234567890"));
        QStringList order;
        QWidget* w = k.vys[0];
        while (order.size() < 6) {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        }
        QCOMPARE(order, QStringList({"vys_0", "vys_1", "absh", "fi", "Contin", "Command3"}));
    }

    void enterGoesOnAndCopiesTheEntries_data()
    {
        QTest::addColumn<QString>("re");
        QTest::addColumn<QString>("im");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<QString>("magnitude");
        QTest::newRow("empty") << "" << "" << "+" << "0";
        QTest::newRow("negative with point") << "3" << "-12.75" << "-" << "12,75";
        QTest::newRow("not a number") << "abc" << "x1" << "+" << "0";
        QTest::newRow("comma stops the number") << "1,5" << "1,5" << "+" << "1";
        QTest::newRow("huge") << "1" << "1e999" << "+" << "1,79769313486232E+308";
        QTest::newRow("markup shown as typed") << "<b>7</b>" << "<hr>" << "+" << "0";
    }
    void enterGoesOnAndCopiesTheEntries()
    {
        QFETCH(QString, re);
        QFETCH(QString, im);
        QFETCH(QString, sign);
        QFETCH(QString, magnitude);
        Krok1& k = startStep1();
        k.vys[0]->setText(re);
        k.vys[1]->setText(im);
        k.absh->setText(QStringLiteral("<i>abs</i>"));
        k.vys[1]->setFocus();
        QTest::keyClick(k.vys[1], Qt::Key_Return);
        QTRY_VERIFY(!k.isVisible());
        QVERIFY(Forms::get<krok2>().isVisible());
        QVERIFY(Forms::get<Vysledky>().isVisible());
        QCOMPARE(vysledky("v_0"), re);
        QCOMPARE(vysledky("v_2"), sign);
        QCOMPARE(vysledky("v_1"), magnitude);
        QCOMPARE(vysledky("ah"), QStringLiteral("<i>abs</i>"));
        QCOMPARE(vysledky("fi"), QString());
        QCOMPARE(vysledky("k1_2"), k.z[0]->text());
        QCOMPARE(k.vys[1]->text(), im);
    }

    void goingBackKeepsTheEntriesAndTheExample()
    {
        Krok1& k = startStep1();
        const QString a1 = k.k1[0]->text();
        const float re = Data_a_promene::resultRe;
        k.vys[1]->setText(QStringLiteral("-2"));
        k.Contin->click();
        krok2& step2 = Forms::get<krok2>();
        step2.bac->click();
        QTRY_VERIFY(k.isVisible());
        QVERIFY(!Forms::get<Vysledky>().isVisible());
        QCOMPARE(k.vys[1]->text(), QStringLiteral("-2"));
        QCOMPARE(k.k1[0]->text(), a1);
        QCOMPARE(Data_a_promene::resultRe, re);
        k.vys[1]->setText(QStringLiteral("5"));
        k.Contin->click();
        QCOMPARE(vysledky("v_2"), QStringLiteral("+"));
        QCOMPARE(vysledky("v_1"), QStringLiteral("5"));
    }

    void escAndFrameAskAndNoReturns_data()
    {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("Esc") << false;
        QTest::newRow("window frame") << true;
    }
    void escAndFrameAskAndNoReturns()
    {
        QFETCH(bool, byFrame);
        Krok1& k = startStep1();
        k.vys[0]->setText(QStringLiteral("42"));
        QString seen;
        TestSupport::onNextModal([&seen](QWidget* modal) {
            seen = modal->objectName();
            modal->findChild<QPushButton*>("Command2")->click();
        });
        if (byFrame)
            k.close();
        else
            QTest::keyClick(k.vys[0], Qt::Key_Escape);
        QCOMPARE(seen, QStringLiteral("Konec"));
        QTRY_VERIFY(!Forms::find<Konec>());
        QVERIFY(k.isVisible());
        QCOMPARE(k.vys[0]->text(), QStringLiteral("42"));
        QCOMPARE(TestSupport::endRequests, 0);
    }

    void dobryStartsANewExample()
    {
        Krok1& k = startStep1();
        k.vys[0]->setText(QStringLiteral("1"));
        k.Contin->click();
        TestSupport::scriptNextExample({0.6f, drawFor(-1, 200, 100), drawFor(2, 200, 100), drawFor(3, 200, 100),
                                        drawFor(-4, 200, 100)});
        Dobry& dobry = Forms::get<Dobry>();
        QCOMPARE(dobry.windowTitle(), QStringLiteral("Gratuluji"));
        dobry.showModeless();
        QTest::keyClick(&dobry, Qt::Key_Return);
        QTRY_VERIFY(!Forms::find<Dobry>());
        QVERIFY(k.isVisible());
        QCOMPARE(k.vys[0]->text(), QString());
        QCOMPARE(Data_a_promene::resultRe, 5.0f);
        QCOMPARE(Data_a_promene::resultIm, 10.0f);
        QVERIFY(!Forms::get<Vysledky>().isVisible());
    }
};

QTEST_MAIN(TestKrok1)
#include "tst_krok1.moc"
