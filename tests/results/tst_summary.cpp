#include "app/schoolfixture.h"
#include "core/data_a_promene.h"
#include "core/examplenoun.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "core/reportdecoder.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "store/databaseconnection.h"
#include "support/testsupport.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QLabel>
#include <QtTest>

using Data_a_promene::runState;

static QString captions(const Souhrn& s)
{
    QStringList c;
    for (QLabel* l :
         {s.Dnes[0], s.Dnes[1], s.Dnes[2], s.Celk[0], s.Celk[1], s.Celk[2], s.dilcichDobre, s.dilcichSpatne})
        c << l->text();
    return c.join('|');
}

static void atSchool(qint32 right, qint32 wrong, qint32 dialogsRight, qint32 dialogsWrong)
{
    runState.profileSurname = QStringLiteral("Novák");
    runState.profileClass = QStringLiteral("2B");
    runState.signInTime = (8 * 3600 + 15 * 60) / 86400.0;
    runState.examplesRight = right, runState.examplesWrong = wrong;
    runState.dialogsRight = dialogsRight, runState.dialogsWrong = dialogsWrong;
}

static QString decodedBlock()
{
    const ReportDecoder::Result r = ReportDecoder::decodeBlock(ReportCipher::GetEncodedBlock());
    return r.ok ? r.text : QStringLiteral("refused: ") + r.error;
}

class TestSummary : public QObject {
    Q_OBJECT
    std::unique_ptr<SchoolFixture> school;

private slots:
    void init()
    {
        TestSupport::resetProgram();
        school = std::make_unique<SchoolFixture>();
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
    }

    void countCaptions_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("caption");
        for (const char* c : {" 0 příkladů", " 1 příklad", " 2 příklady", " 4 příklady", " 5 příkladů", " 11 příkladů",
                              " 21 příkladů", " 22 příkladů"})
            QTest::newRow(c) << QString::fromUtf8(c).section(' ', -2, -2).toInt() << QString::fromUtf8(c);
    }
    void countCaptions()
    {
        QFETCH(int, count);
        QTEST(SummaryText::countCaption(count), "caption");
    }

    void emailModeShowsTheRunAndEncodesIt()
    {
        atSchool(3, 2, 11, 4);
        runState.emailMode = true;
        runState.pupilName = QStringLiteral("Jiří Dvořák");
        runState.signInDateTime = toOleDate(System::now().addSecs(-1800));
        ReportCipher::InitCipher();
        QCOMPARE(captions(Forms::get<Souhrn>()), " 5 příkladů| 3 příklady| 2 příklady|není k dispozici|"
                                                 "není k dispozici|není k dispozici| 11 příkladů| 4 příklady");
        QCOMPARE(decodedBlock(), buildReport(runState, System::now(), QLocale()));
    }

    void schoolTotalsIncludeToday()
    {
        school->createDatabase({{"Novák", "2B"}});
        school->addEarlierRun("Novák", 4, 1);
        school->addEarlierRun("Novák", 50, 50, 2); // another program's row
        school->addEarlierRun("Svoboda", 7, 7);
        atSchool(2, 1, 8, 1);
        QCOMPARE(captions(Forms::get<Souhrn>()),
                 " 3 příklady| 2 příklady| 1 příklad| 8 příkladů| 6 příkladů| 2 příklady| 8 příkladů| 1 příklad");
    }

    // A database that fails at the end loses nothing: the pupil may try again, or take the e-mail report.
    void failureAtTheEndCanBeRetried()
    {
        school->createGarbage();
        atSchool(1, 1, 5, 1);
        int offers = 0;
        System::message = [&](QWidget*, QMessageBox::Icon, const QString&, const QString&,
                              QMessageBox::StandardButtons) {
            ++offers;
            school->createDatabase({{"Novák", "2B"}}); // put right while the message is open
            return QMessageBox::Yes;
        };
        QCOMPARE(Forms::get<Souhrn>().Celk[0]->text(), QStringLiteral(" 2 příklady"));
        QCOMPARE(offers, 1);
        QCOMPARE(school->runs().size(), 1);
    }

    // The commit takes place but its confirmation is lost: the program tries again by itself, finds
    // the run stored, and shows the totals with the run counted once, without a message.
    void lostConfirmationStoresOnce()
    {
        school->createDatabase({{"Novák", "2B"}});
        school->addEarlierRun("Novák", 4, 1);
        atSchool(2, 1, 8, 1);
        int lost = 1;
        DatabaseConnection::confirmationLost = [&lost] { return lost-- > 0; };
        QCOMPARE(Forms::get<Souhrn>().Celk[0]->text(), QStringLiteral(" 8 příkladů"));
        DatabaseConnection::confirmationLost = nullptr;
        QCOMPARE(lost, -1);
        QVERIFY(TestSupport::questionsAsked.isEmpty());
        QCOMPARE(school->runs().size(), 2);
    }

    void failureAtTheEndGivesTheEmailReport()
    {
        school->createGarbage();
        atSchool(2, 1, 7, 2);
        TestSupport::questionAnswers = {QMessageBox::No};
        Souhrn& s = Forms::get<Souhrn>();
        QVERIFY(TestSupport::questionsAsked.value(0).contains(QStringLiteral("neztratily")));
        QCOMPARE(s.Celk[0]->text(), "není k dispozici");
        const QString report = decodedBlock();
        QVERIFY2(report.startsWith("Student: Novák\r\nTřída: 2B\r\n") && report.contains("Celkem odpovědí: 3\r\n"),
                 qPrintable(report));
        bool exportShown = false;
        TestSupport::onNextModal([&](QWidget* top) {
            exportShown = qobject_cast<GenList*>(top) != nullptr;
            top->hide();
        });
        s.close(); // the frame does what "&OK" does
        QVERIFY(exportShown);
        QCOMPARE(TestSupport::endRequests, 0);
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
