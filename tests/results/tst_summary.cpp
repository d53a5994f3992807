// The end of a run: the summary's counts, a school database failing at the end, and the e-mail
// report's window (clipboard, saving).

#include "app/exerciseflow.h"
#include "core/example.h"
#include "core/examplenoun.h"
#include "core/reportcipher.h"
#include "core/reportdecoder.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "store/databaseconnection.h"
#include "support/storefixture.h"
#include "support/testsupport.h"
#include "ui/forms/system.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace TestSupport;

class TestSummary : public QObject {
    Q_OBJECT
    std::unique_ptr<StoreFixture::Database> school;
    QString chosen, clipboard;

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
        RunState& runState = ExerciseFlow::run().runState;
        runState.profileSurname = QStringLiteral("Novák");
        runState.profileClass = QStringLiteral("2B");
        runState.signInTime = (8 * 3600 + 15 * 60) / 86400.0;
        runState.examplesRight = 2, runState.examplesWrong = 1;
        runState.dialogsRight = 7, runState.dialogsWrong = 2;
        System::saveFileName = [this](QWidget*, const QString&, const QString&, const QString&, const QString&) {
            return chosen.isEmpty() ? QString() : school->dir.filePath(chosen);
        };
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
        school.reset();
    }

    // Czech plural forms; 21 and 22 as well take the form of 5 and more.
    void countCaptions()
    {
        for (const QString caption :
             {" 0 příkladů", " 1 příklad", " 4 příklady", " 5 příkladů", " 21 příkladů", " 22 příkladů"})
            QCOMPARE(SummaryText::countCaption(caption.section(' ', 1, 1).toInt()), caption);
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
        QCOMPARE(child<QLabel>(&ExerciseFlow::summarise(), "Celk_0")->text(), QStringLiteral(" 3 příklady"));
        QCOMPARE(school->count(), 1);
    }

    // The commit takes place but its confirmation is lost: the program tries again by itself, finds
    // the run stored, and shows the totals with the run counted once, without a message.
    void lostConfirmationStoresOnce()
    {
        school->exec({"CREATE TABLE ZapsaneBehy (Otisk PRIMARY KEY, Datum)"});
        int lost = 1;
        DatabaseConnection::confirmationLost = [&lost] { return lost-- > 0; };
        QCOMPARE(child<QLabel>(&ExerciseFlow::summarise(), "Celk_0")->text(), QStringLiteral(" 3 příklady"));
        DatabaseConnection::confirmationLost = nullptr;
        QCOMPARE(lost, -1);
        QVERIFY(questionsAsked.isEmpty());
        QCOMPARE(school->count(), 1);
    }

    void failureAtTheEndGivesTheEmailReport()
    {
        breakSchool();
        questionAnswers = {QMessageBox::No};
        Souhrn& s = ExerciseFlow::summarise();
        QVERIFY(questionsAsked.value(0).contains(QStringLiteral("neztratily")));
        QCOMPARE(child<QLabel>(&s, "Celk_0")->text(), "není k dispozici");
        const ReportDecoder::Result r = ReportDecoder::decodeBlock(ExerciseFlow::run().encodedBlock);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(
            QVariantList({r.report.pupilName, r.report.pupilClass, r.report.examplesRight, r.report.examplesWrong}),
            QVariantList({"Novák", "2B", 2, 1}));
        ModalScript modals;
        modals.expect("GenList", [](QWidget* genList) { genList->hide(); });
        s.close(); // the frame does what "&OK" does
        QCOMPARE(modals.pending(), 0);
        QCOMPARE(endRequests, 0);
    }

    // A cancelled save does nothing, a failed one is reported, and leaving then asks; the block shown is
    // saved under a Czech name (.txt added), a second save replacing the first, and goes to the clipboard;
    // then leaving asks nothing.
    void genList()
    {
        const QString block = ReportCipher::EncodeText(QStringLiteral("Student: Jiří Dvořák\r\nTřída: 4.B\r\n"),
                                                       ReportCipher::saltByteFrom(clockSeededSource()()));
        GenList& g = Forms::get<GenList>();
        g.showBlock(block);
        QCOMPARE(child<QPlainTextEdit>(&g, "data")->toPlainText().replace('\n', QStringLiteral("\r\n")), block);
        for (const QString name : {"", "chybi/Vysledky.txt"}) {
            chosen = name;
            Pupil::clickButton(&g, "txtfile");
        }
        QCOMPARE(questionsAsked.filter("NEULOŽILY").size(), 1);
        questionAnswers = {QMessageBox::No};
        Pupil::clickButton(&g, "final");
        QCOMPARE(questionsAsked.size(), 2);
        chosen = QStringLiteral("výsledky žáka");
        Pupil::clickButton(&g, "txtfile");
        Pupil::clickButton(&g, "txtfile");
        QDir folder(school->dir.path());
        QCOMPARE(folder.entryList({"*.txt"}, QDir::Files), QStringList{"výsledky žáka.txt"});
        QFile file(folder.filePath("výsledky žáka.txt"));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : "", block.toUtf8());
        Pupil::clickButton(&g, "clipbrd");
        QCOMPARE(clipboard, block);
        QCOMPARE(endRequests, 0);
        Pupil::clickButton(&g, "final");
        QCOMPARE(endRequests, 1);
        QCOMPARE(questionsAsked.size(), 2);
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
