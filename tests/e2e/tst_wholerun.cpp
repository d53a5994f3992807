#include "app/forms.h"
#include "app/help.h"
#include "app/konec.h"
#include "app/navigation.h"
#include "app/schoolfixture.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/data_a_promene.h"
#include "core/reportdecoder.h"
#include "feedback/spatny.h"
#include "platform/system.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

static void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

template <class F> static F* visible()
{
    F* form = Forms::find<F>();
    return form && form->isVisible() ? form : nullptr;
}

class TestWholeRun : public QObject {
    Q_OBJECT
    std::unique_ptr<SchoolFixture> school;
    QString clipboard;

    // From the splash to the sign-in; `signIn` fills Welcome and presses Enter.
    void signIn(const std::function<void(Welcome*)>& fill)
    {
        Navigation::start();
        QTest::keyClick(visible<Uvod>(), Qt::Key_Space);
        QVERIFY(visible<Welcome>());
        fill(visible<Welcome>());
        QTest::keyClick(visible<Welcome>(), Qt::Key_Return);
    }

    // Past the help into the test platform's example, (100 + 200i) + (300 - 400i): step 1 answered
    // right, the vector and the sinusoid left as they come, so steps 2 and 3 are wrong. Then Esc or
    // "&Konec" asks "Konec ?", "&Ano" opens the summary, read into the returned list, and Enter on it
    // goes on; in e-mail mode the export form follows, where the block is copied and the program ended.
    QStringList workAndEnd(bool oneExample)
    {
        QTest::keyClick(visible<Help>(), Qt::Key_Return);
        Krok1* step1 = visible<Krok1>();
        QWidget* last = step1;
        if (oneExample && step1) {
            for (auto [entry, text] :
                 {std::pair(step1->vys[0], "400"), {step1->vys[1], "-200"}, {step1->absh, "447"}, {step1->fi, "333,4"}})
                typeText(entry, QString::fromUtf8(text));
            QTest::keyClick(step1, Qt::Key_Return);
            QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
            QTest::mouseClick(Forms::get<Krok3>().dok, Qt::LeftButton);
            last = visible<Spatny>();
        }
        QStringList shown;
        if (!last)
            return shown;
        TestSupport::onNextModal([&shown](QWidget* confirm) {
            TestSupport::onNextModal([&shown](QWidget* summary) {
                if (auto* s = qobject_cast<Souhrn*>(summary))
                    for (QLabel* l : {s->Dnes[0], s->Dnes[1], s->Dnes[2], s->Celk[0], s->Celk[1], s->Celk[2],
                                      s->dilcichDobre, s->dilcichSpatne})
                        shown << l->text();
                if (Data_a_promene::runState.emailMode)
                    TestSupport::onNextModal([](QWidget* top) {
                        if (auto* g = qobject_cast<GenList*>(top)) {
                            QTest::mouseClick(g->clipbrd, Qt::LeftButton);
                            QTest::mouseClick(g->final, Qt::LeftButton);
                        }
                        top->hide();
                    });
                QTest::keyClick(summary, Qt::Key_Return);
                summary->hide();
            });
            if (auto* k = qobject_cast<Konec*>(confirm))
                QTest::mouseClick(k->Command1, Qt::LeftButton);
            confirm->hide();
        });
        if (auto* spatny = qobject_cast<Spatny*>(last))
            QTest::mouseClick(spatny->Command2, Qt::LeftButton);
        else
            QTest::keyClick(last, Qt::Key_Escape);
        return shown;
    }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        school = std::make_unique<SchoolFixture>();
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); // the pupil's locale
    }
    void cleanup()
    {
        QLocale::setDefault(QLocale::system());
        Forms::unloadAll();
        QApplication::processEvents();
    }

    void schoolRunEndsWithTheRowInTheDatabase()
    {
        school->createDatabase({{"Svoboda", "3A"}, {"Novák", "2B"}});
        school->addEarlierRun(QStringLiteral("Novák"), 3, 1);
        signIn([](Welcome* w) {
            QVERIFY(w->conn[0]->isChecked());
            QTest::keyClick(w->Users, Qt::Key_Down);
            QTest::keyClick(w->Users, Qt::Key_Down);
            QCOMPARE(w->Users->currentText(), QStringLiteral("Novák; 2B"));
        });
        QCOMPARE(workAndEnd(true).join('|'),
                 " 1 příklad| 0 příkladů| 1 příklad| 5 příkladů| 3 příklady| 2 příklady| 1 příklad| 2 příklady");
        QCOMPARE(TestSupport::endRequests, 1);
        QCOMPARE(school->runs().size(), 2);
        QCOMPARE(school->runs().last(), QVariantList({"Novák", "2B", 0, 1, "zak", 3}));
    }

    void emailRunEndsWithADecodableBlock_data()
    {
        QTest::addColumn<bool>("oneExample");
        QTest::addColumn<QString>("counts");
        QTest::newRow("ended in the first example") << false << QStringLiteral("Celkem odpovědí: 0\r\n");
        QTest::newRow("one example") << true
                                     << QStringLiteral("Celkem odpovědí: 1\r\nZ toho dobře: 0 (0,00%)\r\nšpatně: 1 "
                                                       "(100,00%)\r\ndílčích úkolů dobře: 1 (33,33%)\r\ndílčích "
                                                       "úkolů špatně: 2 (66,67%)\r\n");
    }
    void emailRunEndsWithADecodableBlock()
    {
        QFETCH(bool, oneExample);
        QFETCH(QString, counts);
        signIn([](Welcome* w) {
            QVERIFY(w->conn[1]->isChecked());
            w->Jm->setFocus();
            typeText(w->Jm, QStringLiteral("Jiří Dvořák"));
            QTest::keyClick(w->Jm, Qt::Key_Tab);
            QTRY_VERIFY(w->Tr->hasFocus());
            typeText(w->Tr, QStringLiteral("4.B"));
        });
        QCOMPARE(workAndEnd(oneExample).mid(3, 3), QStringList(3, QStringLiteral("není k dispozici")));
        QCOMPARE(TestSupport::endRequests, 1);
        const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(clipboard);
        QVERIFY2(decoded.ok, qPrintable(decoded.error));
        QCOMPARE(decoded.text, QStringLiteral("Student: Jiří Dvořák\r\nTřída: 4.B\r\nKvizmat: 3 - Komplexní čísla\r\n"
                                              "Od: 14.03.2026 09:26\r\nDo: 14.03.2026 09:26\r\n") +
                                   counts);
    }
};

QTEST_MAIN(TestWholeRun)
#include "tst_wholerun.moc"
