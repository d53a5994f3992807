#include "app/forms.h"
#include "app/help.h"
#include "app/konec.h"
#include "app/navigation.h"
#include "app/schoolfixture.h"
#include "app/uvod.h"
#include "app/welcome.h"
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

#include <memory>

namespace {

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The windows a pupil sees, in the order of a run.
template <class F> F* visibleForm() {
    F* form = Forms::find<F>();
    return form && form->isVisible() ? form : nullptr;
}

} // namespace

class TestWholeRun : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SchoolFixture> school;
    QString clipboard;

    // Splash, then the sign-in form.
    Welcome* startProgram() {
        Navigation::start();
        Uvod* splash = visibleForm<Uvod>();
        if (!splash)
            return nullptr;
        QTest::keyClick(splash, Qt::Key_Space);
        return visibleForm<Welcome>();
    }

    // From the help text into the first example.
    Krok1* readHelp() {
        Help* help = visibleForm<Help>();
        if (!help)
            return nullptr;
        QTest::keyClick(help, Qt::Key_Return);
        return visibleForm<Krok1>();
    }

    // The example the test platform draws, (100 + 200i) + (300 - 400i): step 1 answered right,
    // the vector and the sinusoid left as they come, so steps 2 and 3 are wrong. Ends on the review.
    Spatny* workOneExample() {
        Krok1* step1 = visibleForm<Krok1>();
        if (!step1)
            return nullptr;
        typeText(step1->vys[0], QStringLiteral("400"));
        typeText(step1->vys[1], QStringLiteral("-200"));
        typeText(step1->absh, QStringLiteral("447"));
        typeText(step1->fi, QStringLiteral("333,4"));
        QTest::keyClick(step1, Qt::Key_Return);
        krok2* step2 = visibleForm<krok2>();
        if (!step2)
            return nullptr;
        QTest::mouseClick(step2->Contin, Qt::LeftButton);
        Krok3* step3 = visibleForm<Krok3>();
        if (!step3)
            return nullptr;
        QTest::mouseClick(step3->dok, Qt::LeftButton);
        return visibleForm<Spatny>();
    }

    // `trigger` asks "Konec ?"; "&Ano" opens the summary, whose checks run in `onSummary`.
    void endWork(std::function<void()> trigger, std::function<void(Souhrn*)> onSummary,
                 bool& reachedSummary) {
        TestSupport::onNextModal([onSummary, &reachedSummary](QWidget* top) {
            auto* confirm = qobject_cast<Konec*>(top);
            if (!confirm) {
                top->hide();
                return;
            }
            TestSupport::onNextModal([onSummary, &reachedSummary](QWidget* top2) {
                auto* summary = qobject_cast<Souhrn*>(top2);
                reachedSummary = summary != nullptr;
                if (summary)
                    onSummary(summary);
                top2->hide();
            });
            QTest::mouseClick(confirm->Command1, Qt::LeftButton);
        });
        trigger();
    }

private slots:
    void init() {
        TestSupport::resetProgram();
        school = std::make_unique<SchoolFixture>();
        clipboard.clear();
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
    }
    void cleanup() {
        QLocale::setDefault(QLocale::system());
        Forms::unloadAll();
        QApplication::processEvents();
    }

    void schoolRunEndsWithTheRowInTheDatabase() {
        school->createDatabase({{"Svoboda", "3A"}, {"Novák", "2B"}});
        school->addEarlierRun(QStringLiteral("Novák"), 3, 1);
        Welcome* welcome = startProgram();
        QVERIFY(welcome);
        QVERIFY(welcome->conn[0]->isChecked());
        welcome->Users->setFocus();
        QTest::keyClick(welcome->Users, Qt::Key_Down);
        QTest::keyClick(welcome->Users, Qt::Key_Down);
        QCOMPARE(welcome->Users->currentText(), QStringLiteral("Novák; 2B"));
        QTest::keyClick(welcome, Qt::Key_Return);
        QVERIFY(readHelp());
        Spatny* review = workOneExample();
        QVERIFY(review);

        QStringList today, overall, partial;
        bool reachedSummary = false;
        endWork([review] { QTest::mouseClick(review->Command2, Qt::LeftButton); },
                [&](Souhrn* s) {
                    for (int i = 0; i < 3; ++i) {
                        today << s->Dnes[i]->text();
                        overall << s->Celk[i]->text();
                    }
                    partial << s->dilcichDobre->text() << s->dilcichSpatne->text();
                    QTest::keyClick(s, Qt::Key_Return);
                },
                reachedSummary);
        QVERIFY(reachedSummary);
        QCOMPARE(today, QStringList({" 1 příklad", " 0 příkladů", " 1 příklad"}));
        QCOMPARE(partial, QStringList({" 1 příklad", " 2 příklady"}));
        QCOMPARE(overall, QStringList({" 5 příkladů", " 3 příklady", " 2 příklady"}));
        QCOMPARE(TestSupport::endRequests, 1);
        const QList<QVariantList> rows = school->runs();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.last().mid(0, 6), QVariantList({"Novák", "2B", 0, 1, "zak", 3}));
    }

    void emailRunEndsWithADecodableBlock_data() {
        QTest::addColumn<bool>("workExample");
        QTest::addColumn<QString>("counts");
        QTest::newRow("ended in the first example") << false << "Celkem odpovědí: 0\r\n";
        QTest::newRow("one example") << true
                                     << "Celkem odpovědí: 1\r\nZ toho dobře: 0 (0,00%)\r\n"
                                        "špatně: 1 (100,00%)\r\ndílčích úkolů dobře: 1 (33,33%)\r\n"
                                        "dílčích úkolů špatně: 2 (66,67%)\r\n";
    }
    void emailRunEndsWithADecodableBlock() {
        QFETCH(bool, workExample);
        QFETCH(QString, counts);
        // Percentages follow the user's locale; this pupil's is Czech.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        Welcome* welcome = startProgram();
        QVERIFY(welcome);
        QVERIFY(welcome->conn[1]->isChecked());
        welcome->Jm->setFocus();
        typeText(welcome->Jm, QStringLiteral("Jiří Dvořák"));
        QTest::keyClick(welcome->Jm, Qt::Key_Tab);
        QTRY_VERIFY(welcome->Tr->hasFocus());
        typeText(welcome->Tr, QStringLiteral("4.B"));
        QTest::keyClick(welcome, Qt::Key_Return);
        Krok1* step1 = readHelp();
        QVERIFY(step1);
        std::function<void()> trigger = [step1] { QTest::keyClick(step1, Qt::Key_Escape); };
        if (workExample) {
            Spatny* review = workOneExample();
            QVERIFY(review);
            trigger = [review] { QTest::mouseClick(review->Command2, Qt::LeftButton); };
        }

        QStringList overall;
        bool exported = false;
        bool reachedSummary = false;
        endWork(
            trigger,
            [&](Souhrn* s) {
                for (int i = 0; i < 3; ++i)
                    overall << s->Celk[i]->text();
                TestSupport::onNextModal([&](QWidget* top) {
                    auto* exportForm = qobject_cast<GenList*>(top);
                    exported = exportForm != nullptr;
                    if (exportForm) {
                        QTest::mouseClick(exportForm->clipbrd, Qt::LeftButton);
                        QTest::mouseClick(exportForm->final, Qt::LeftButton);
                    }
                    top->hide();
                });
                QTest::keyClick(s, Qt::Key_Return);
            },
            reachedSummary);
        QVERIFY(reachedSummary);
        QVERIFY(exported);
        QCOMPARE(overall, QStringList(3, QStringLiteral("není k dispozici")));
        QCOMPARE(TestSupport::endRequests, 1);

        const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(clipboard);
        QVERIFY2(decoded.ok, qPrintable(decoded.error));
        QCOMPARE(decoded.text,
                 QStringLiteral("Student: Jiří Dvořák\r\nTřída: 4.B\r\nKvizmat: 3 - Komplexní čísla\r\n"
                                "Od: 14.03.2026 09:26\r\nDo: 14.03.2026 09:26\r\n") +
                     counts);
    }
};

QTEST_MAIN(TestWholeRun)
#include "tst_wholerun.moc"
