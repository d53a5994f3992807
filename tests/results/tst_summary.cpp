#include "app/forms.h"
#include "app/schoolfixture.h"
#include "core/data_a_promene.h"
#include "core/examplenoun.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "core/reportdecoder.h"
#include "platform/system.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using Data_a_promene::runState;

namespace {

QStringList captions(const Souhrn& s)
{
    return {s.Dnes[0]->text(), s.Dnes[1]->text(), s.Dnes[2]->text(),      s.Celk[0]->text(),
            s.Celk[1]->text(), s.Celk[2]->text(), s.dilcichDobre->text(), s.dilcichSpatne->text()};
}

void atSchool(qint32 right, qint32 wrong, qint32 dialogsRight, qint32 dialogsWrong)
{
    runState.profileSurname = QStringLiteral("Novák");
    runState.profileClass = QStringLiteral("2B");
    runState.signInTime = (8 * 3600 + 15 * 60) / 86400.0;
    runState.examplesRight = right;
    runState.examplesWrong = wrong;
    runState.dialogsRight = dialogsRight;
    runState.dialogsWrong = dialogsWrong;
}

QString decodedBlock()
{
    const ReportDecoder::Result r = ReportDecoder::decodeBlock(ReportCipher::GetEncodedBlock());
    return r.ok ? r.text : QStringLiteral("refused: ") + r.error;
}

} // namespace

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
        QTest::newRow("0") << 0 << " 0 příkladů";
        QTest::newRow("1") << 1 << " 1 příklad";
        QTest::newRow("2") << 2 << " 2 příklady";
        QTest::newRow("4") << 4 << " 4 příklady";
        QTest::newRow("5") << 5 << " 5 příkladů";
        QTest::newRow("11") << 11 << " 11 příkladů";
        QTest::newRow("21") << 21 << " 21 příkladů";
        QTest::newRow("22") << 22 << " 22 příkladů";
        QTest::newRow("negative") << -1 << "-1 příkladů";
    }
    void countCaptions()
    {
        QFETCH(int, count);
        QTEST(SummaryText::countCaption(count), "caption");
    }

    void emailModeShowsRunAndEncodesIt()
    {
        atSchool(3, 2, 11, 4);
        runState.emailMode = true;
        runState.pupilName = QStringLiteral("Jiří Dvořák");
        ReportCipher::InitCipher();
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(captions(s), QStringList({" 5 příkladů", " 3 příklady", " 2 příklady", "není k dispozici",
                                           "není k dispozici", "není k dispozici", " 11 příkladů", " 4 příklady"}));
        QCOMPARE(decodedBlock(), buildReport(runState, System::now(), QLocale()));
    }

    void hugeCountsSaturate()
    {
        atSchool(std::numeric_limits<qint32>::max(), 5, 0, 0);
        runState.emailMode = true;
        QCOMPARE(Forms::get<Souhrn>().Dnes[0]->text(), QStringLiteral(" 2147483647 příkladů"));
        QCOMPARE(SummaryText::saturatingSum(std::numeric_limits<qint32>::min(), -1),
                 std::numeric_limits<qint32>::min());
    }

    void schoolTotalsIncludeToday()
    {
        school->createDatabase({{"Novák", "2B"}});
        school->addEarlierRun(QStringLiteral("Novák"), 4, 1);
        school->addEarlierRun(QStringLiteral("Novák"), 50, 50, 2); // another program's row
        school->addEarlierRun(QStringLiteral("Svoboda"), 7, 7);
        atSchool(2, 1, 8, 1);
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(captions(s), QStringList({" 3 příklady", " 2 příklady", " 1 příklad", " 8 příkladů", " 6 příkladů",
                                           " 2 příklady", " 8 příkladů", " 1 příklad"}));
        QCOMPARE(school->runs().last(), QVariantList({"Novák", "2B", 2, 1, "zak", 3}));
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
    }

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
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(offers, 1);
        QCOMPARE(s.Celk[0]->text(), QStringLiteral(" 2 příklady"));
        QCOMPARE(school->runs().size(), 1);
    }

    void failureAtTheEndGivesTheEmailReport()
    {
        school->createGarbage();
        atSchool(2, 1, 7, 2);
        TestSupport::questionAnswers = {QMessageBox::No};
        Souhrn& s = Forms::get<Souhrn>();
        QVERIFY(TestSupport::questionsAsked.value(0).contains(QStringLiteral("neztratily")));
        QCOMPARE(captions(s), QStringList({" 3 příklady", " 2 příklady", " 1 příklad", "není k dispozici",
                                           "není k dispozici", "není k dispozici", " 7 příkladů", " 2 příklady"}));
        const QString report = decodedBlock();
        QVERIFY2(report.startsWith(QStringLiteral("Student: Novák\r\nTřída: 2B\r\n")), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("Od: 14.03.2026 08:15\r\n")));
        QVERIFY(report.contains(QStringLiteral("Celkem odpovědí: 3\r\n")));

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
