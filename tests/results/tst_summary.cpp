#include "core/data_a_promene.h"
#include "core/examplenoun.h"
#include "core/reportcipher.h"
#include "core/reportdecoder.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "support/modalscript.h"
#include "support/storefixture.h"
#include "support/testsupport.h"
#include "ui/forms/system.h"

#include <QLabel>

using namespace TestSupport;
using Data_a_promene::runState;

class TestSummary : public QObject {
    Q_OBJECT
    std::unique_ptr<StoreFixture::Database> school;

    // The school database replaced by a file that is no database, until put back.
    QString breakSchool()
    {
        const QString path = school->dir.filePath("skola.db");
        QFile::rename(path, path + ".aside");
        QFile garbage(path);
        if (garbage.open(QIODevice::WriteOnly))
            garbage.write(QByteArray(4096, 'x'));
        return path;
    }

private slots:
    void init()
    {
        resetProgram();
        school = std::make_unique<StoreFixture::Database>(StoreFixture::Database::Kind::Sqlite);
        school->exec({"INSERT INTO Zaci VALUES ('Novák', '2B')"});
        runState.profileSurname = QStringLiteral("Novák");
        runState.profileClass = QStringLiteral("2B");
        runState.signInTime = (8 * 3600 + 15 * 60) / 86400.0;
        runState.examplesRight = 2, runState.examplesWrong = 1;
        runState.dialogsRight = 7, runState.dialogsWrong = 2;
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
        school.reset();
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

    // A database that fails at the end loses nothing: the pupil may try again, or take the e-mail report.
    void failureAtTheEndCanBeRetried()
    {
        const QString path = breakSchool();
        System::message = [&](QWidget*, QMessageBox::Icon, const QString&, const QString&,
                              QMessageBox::StandardButtons) {
            QFile::remove(path); // put right while the message is open
            QFile::rename(path + ".aside", path);
            return QMessageBox::Yes;
        };
        QCOMPARE((child<QLabel, Souhrn>("Celk_0"))->text(), QStringLiteral(" 3 příklady"));
        QCOMPARE(school->count(), 1);
    }

    void failureAtTheEndGivesTheEmailReport()
    {
        breakSchool();
        questionAnswers = {QMessageBox::No};
        Souhrn& s = Forms::get<Souhrn>();
        QVERIFY(questionsAsked.value(0).contains(QStringLiteral("neztratily")));
        QCOMPARE(child<QLabel>(&s, "Celk_0")->text(), "není k dispozici");
        const ReportDecoder::Result report = ReportDecoder::decodeBlock(ReportCipher::GetEncodedBlock());
        QVERIFY2(report.ok && report.text.startsWith("Student: Novák\r\nTřída: 2B\r\n") &&
                     report.text.contains("Celkem odpovědí: 3\r\n"),
                 qPrintable(report.text + report.error));
        ModalScript modals;
        modals.expect("GenList", [](QWidget* genList) { genList->hide(); });
        s.close(); // the frame does what "&OK" does
        QCOMPARE(modals.pending(), 0);
        QCOMPARE(endRequests, 0);
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
