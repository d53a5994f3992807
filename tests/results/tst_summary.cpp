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

#include <limits>
#include <memory>

using Data_a_promene::runState;

namespace {

QStringList captions(QLabel* const labels[3]) {
    return {labels[0]->text(), labels[1]->text(), labels[2]->text()};
}

void signInAtSchool(const QString& surname, const QString& className) {
    runState.emailMode = false;
    runState.profileSurname = surname;
    runState.profileClass = className;
    runState.signInTime = (8 * 3600 + 15 * 60) / 86400.0;
}

void countRun(qint32 examplesRight, qint32 examplesWrong, qint32 dialogsRight, qint32 dialogsWrong) {
    runState.examplesRight = examplesRight;
    runState.examplesWrong = examplesWrong;
    runState.dialogsRight = dialogsRight;
    runState.dialogsWrong = dialogsWrong;
}

QString decodedBlock() {
    const ReportDecoder::Result r = ReportDecoder::decodeBlock(ReportCipher::GetEncodedBlock());
    return r.ok ? r.text : QStringLiteral("refused: ") + r.error;
}

} // namespace

class TestSummary : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SchoolFixture> school;

private slots:
    void init() {
        TestSupport::resetProgram();
        school = std::make_unique<SchoolFixture>();
    }
    void cleanup() {
        Forms::unloadAll();
        QApplication::processEvents();
    }

    void countCaptions_data() {
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
    void countCaptions() {
        QFETCH(int, count);
        QFETCH(QString, caption);
        QCOMPARE(SummaryText::countCaption(count), caption);
        QCOMPARE(SummaryText::ExampleNoun(count), caption.mid(caption.indexOf(QLatin1Char(' '), 1)));
    }

    void sumsSaturate() {
        constexpr qint32 most = std::numeric_limits<qint32>::max();
        constexpr qint32 least = std::numeric_limits<qint32>::min();
        QCOMPARE(SummaryText::saturatingSum(most, 1), most);
        QCOMPARE(SummaryText::saturatingSum(least, -1), least);
        QCOMPARE(SummaryText::saturatingSum(most - 1, 1), most);
        QCOMPARE(SummaryText::saturatingSum(3, 4), 7);
    }

    void emailModeShowsRunAndEncodesIt() {
        runState.emailMode = true;
        runState.pupilName = QStringLiteral("Jiří Dvořák");
        runState.pupilClass = QStringLiteral("4.B");
        runState.signInDateTime = toOleDate(QDateTime(QDate(2026, 3, 14), QTime(8, 0)));
        countRun(3, 2, 11, 4);
        ReportCipher::InitCipher();
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(captions(s.Dnes), QStringList({" 5 příkladů", " 3 příklady", " 2 příklady"}));
        QCOMPARE(captions(s.Celk), QStringList(3, QStringLiteral("není k dispozici")));
        QCOMPARE(s.dilcichDobre->text(), QStringLiteral(" 11 příkladů"));
        QCOMPARE(s.dilcichSpatne->text(), QStringLiteral(" 4 příklady"));
        QCOMPARE(decodedBlock(), buildReport(runState, System::now(), QLocale()));
    }

    void nothingFinishedShowsZeros() {
        runState.emailMode = true;
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(captions(s.Dnes), QStringList(3, QStringLiteral(" 0 příkladů")));
        QCOMPARE(s.dilcichDobre->text(), QStringLiteral(" 0 příkladů"));
        QCOMPARE(s.dilcichSpatne->text(), QStringLiteral(" 0 příkladů"));
    }

    void hugeCountsDoNotWrap() {
        runState.emailMode = true;
        countRun(std::numeric_limits<qint32>::max(), 5, 0, 0);
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(s.Dnes[0]->text(), QStringLiteral(" 2147483647 příkladů"));
    }

    void schoolTotalsIncludeToday() {
        school->createDatabase({{"Novák", "2B"}});
        school->addEarlierRun(QStringLiteral("Novák"), 4, 1);
        school->addEarlierRun(QStringLiteral("Novák"), 50, 50, 2); // another program's row
        school->addEarlierRun(QStringLiteral("Svoboda"), 7, 7);
        signInAtSchool(QStringLiteral("Novák"), QStringLiteral("2B"));
        countRun(2, 1, 8, 1);
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(captions(s.Dnes), QStringList({" 3 příklady", " 2 příklady", " 1 příklad"}));
        QCOMPARE(captions(s.Celk), QStringList({" 8 příkladů", " 6 příkladů", " 2 příklady"}));
        const QList<QVariantList> rows = school->runs();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.last().mid(0, 6), QVariantList({"Novák", "2B", 2, 1, "zak", 3}));
        QVERIFY(TestSupport::questionsAsked.isEmpty());

        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
    }

    void closingByTheFrameDoesWhatOkDoes() {
        runState.emailMode = true;
        Souhrn& s = Forms::get<Souhrn>();
        bool exportShown = false;
        TestSupport::onNextModal([&](QWidget* top) {
            exportShown = qobject_cast<GenList*>(top) != nullptr;
            top->hide();
        });
        s.close();
        QVERIFY(exportShown);
    }

    void failureAtTheEndCanBeRetried() {
        school->createGarbage();
        signInAtSchool(QStringLiteral("Novák"), QStringLiteral("2B"));
        countRun(1, 1, 5, 1);
        int offers = 0;
        System::message = [&](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                              QMessageBox::StandardButtons buttons) {
            ++offers;
            TestSupport::questionsAsked << text;
            if (buttons != (QMessageBox::Yes | QMessageBox::No))
                return QMessageBox::Ok;
            // The teacher puts the database right while the message is open.
            school->removeDatabase();
            school->createDatabase({{"Novák", "2B"}});
            return QMessageBox::Yes;
        };
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(offers, 1);
        QVERIFY(TestSupport::questionsAsked.first().contains(QStringLiteral("neztratily")));
        QCOMPARE(captions(s.Celk), QStringList({" 2 příklady", " 1 příklad", " 1 příklad"}));
        QCOMPARE(school->runs().size(), 1);
        QVERIFY(!runState.emailMode);
    }

    void failureAtTheEndGivesTheEmailReport() {
        school->createGarbage();
        signInAtSchool(QStringLiteral("Novák"), QStringLiteral("2B"));
        countRun(2, 1, 7, 2);
        ReportCipher::setSaltSource(TestSupport::scripted({0.5f}));
        TestSupport::questionAnswers = {QMessageBox::No};
        Souhrn& s = Forms::get<Souhrn>();
        QCOMPARE(TestSupport::questionsAsked.size(), 1);
        QVERIFY(runState.emailMode);
        QCOMPARE(captions(s.Dnes), QStringList({" 3 příklady", " 2 příklady", " 1 příklad"}));
        QCOMPARE(captions(s.Celk), QStringList(3, QStringLiteral("není k dispozici")));
        const QString report = decodedBlock();
        QVERIFY2(report.startsWith(QStringLiteral("Student: Novák\r\nTřída: 2B\r\n")), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("Od: 14.03.2026 08:15\r\n")));
        QVERIFY(report.contains(QStringLiteral("Celkem odpovědí: 3\r\n")));

        bool exportShown = false;
        TestSupport::onNextModal([&](QWidget* top) {
            exportShown = qobject_cast<GenList*>(top) != nullptr;
            top->hide();
        });
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QVERIFY(exportShown);
        QCOMPARE(TestSupport::endRequests, 0);
        QVERIFY(!Forms::find<Souhrn>());
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
