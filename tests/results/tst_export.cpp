#include "app/forms.h"
#include "core/data_a_promene.h"
#include "core/reportcipher.h"
#include "platform/system.h"
#include "results/genlist.h"
#include "testsupport.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private:
    QStringList dialogAnswers;
    QStringList dialogCalls;
    QString clipboard;

private slots:
    void init() {
        TestSupport::resetProgram();
        dialogAnswers.clear();
        dialogCalls.clear();
        clipboard.clear();
        System::saveFileName = [this](QWidget*, const QString& title, const QString& proposed,
                                      const QString& filters, const QString& suffix) {
            dialogCalls << QStringList({title, proposed, filters, suffix}).join(QLatin1Char('|'));
            return dialogAnswers.isEmpty() ? QString() : dialogAnswers.takeFirst();
        };
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
        ReportCipher::setSaltSource(TestSupport::scripted({0.25f}));
        ReportCipher::InitCipher();
        // Long enough for several lines of the block.
        ReportCipher::EncodeText(
            QStringLiteral("Student: Jiří Dvořák\r\nTřída: 4.B\r\nKvizmat: 3 - Komplexní čísla\r\n"));
    }
    void cleanup() {
        Forms::unloadAll();
        QApplication::processEvents();
    }

    void showsTheBlockAndCopiesIt() {
        GenList& g = Forms::get<GenList>();
        const QString block = ReportCipher::GetEncodedBlock();
        QVERIFY(block.count(QStringLiteral("\r\n")) >= 2);
        QVERIFY(g.data->isReadOnly());
        QVERIFY(QFontInfo(g.data->font()).fixedPitch());
        QCOMPARE(g.data->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")), block);
        QTest::mouseClick(g.clipbrd, Qt::LeftButton);
        QCOMPARE(clipboard, block);
    }

    void save_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("without extension") << "Vysledky"
                                           << "Vysledky.txt";
        QTest::newRow("with extension") << "zprava.txt"
                                        << "zprava.txt";
        QTest::newRow("other extension kept") << "zprava.dat"
                                              << "zprava.dat";
        QTest::newRow("Czech name") << "výsledky žáka"
                                    << "výsledky žáka.txt";
    }
    void save() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QTemporaryDir dir;
        GenList& g = Forms::get<GenList>();
        dialogAnswers = {dir.filePath(chosen), dir.filePath(chosen)};
        QTest::mouseClick(g.txtfile, Qt::LeftButton);
        QTest::mouseClick(g.txtfile, Qt::LeftButton);
        QCOMPARE(
            dialogCalls.first(),
            QStringLiteral("Vyber umístění a jméno souboru|Vysledky|Textové soubory (*.txt);;Všechny soubory "
                           "(*.*)|txt"));
        // Saved twice: one file, holding the block once.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
        QCOMPARE(readFile(dir.filePath(written)), ReportCipher::GetEncodedBlock());
        QVERIFY(TestSupport::questionsAsked.isEmpty());
    }

    void cancelledDialogWritesNothing() {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        GenList& g = Forms::get<GenList>();
        QTest::mouseClick(g.txtfile, Qt::LeftButton);
        QCOMPARE(dialogCalls.size(), 1);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(TestSupport::questionsAsked.isEmpty());
    }

    void unwritableFileIsReported_data() {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << "chybi/Vysledky.txt";
        QTest::newRow("a folder of that name") << "slozka.txt";
    }
    void unwritableFileIsReported() {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("slozka.txt")));
        GenList& g = Forms::get<GenList>();
        dialogAnswers = {dir.filePath(relative)};
        QTest::mouseClick(g.txtfile, Qt::LeftButton);
        QCOMPARE(TestSupport::questionsAsked.size(), 1);
        QVERIFY(TestSupport::questionsAsked.first().contains(QStringLiteral("NEULOŽILY")));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        // Nothing was taken yet, so leaving asks first.
        TestSupport::questionAnswers = {QMessageBox::No};
        QTest::mouseClick(g.final, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 0);
        QCOMPARE(TestSupport::questionsAsked.size(), 2);
    }

    void endWithoutTakingTheBlockAsksFirst() {
        GenList& g = Forms::get<GenList>();
        TestSupport::questionAnswers = {QMessageBox::No};
        QTest::mouseClick(g.final, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 0);
        TestSupport::questionAnswers = {QMessageBox::Yes};
        QTest::mouseClick(g.final, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
    }

    void endAfterCopyingEndsAtOnce() {
        GenList& g = Forms::get<GenList>();
        QTest::mouseClick(g.clipbrd, Qt::LeftButton);
        QTest::mouseClick(g.final, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
        QVERIFY(TestSupport::questionsAsked.isEmpty());
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
