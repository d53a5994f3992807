#include "core/reportcipher.h"
#include "results/genlist.h"
#include "support/pupil.h"
#include "ui/forms/system.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace TestSupport;

class TestExport : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString chosen, clipboard;

private slots:
    void init()
    {
        resetProgram();
        System::saveFileName = [this](QWidget*, const QString&, const QString&, const QString&, const QString&) {
            return chosen.isEmpty() ? QString() : dir.filePath(chosen);
        };
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
        ReportCipher::InitCipher();
        ReportCipher::EncodeText(QStringLiteral("Student: Jiří Dvořák\r\nTřída: 4.B\r\n"));
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
    }
    void cleanup() { Forms::unloadAll(); }

    void clipboardGetsTheShownText()
    {
        QCOMPARE((child<QPlainTextEdit, GenList>("data"))->toPlainText().replace('\n', QStringLiteral("\r\n")),
                 ReportCipher::GetEncodedBlock());
        Pupil::clickButton(&Forms::get<GenList>(), "clipbrd");
        QCOMPARE(clipboard, ReportCipher::GetEncodedBlock());
    }

    // Saved twice, the second replacing the first; an unwritable path is reported, and leaving then asks.
    void save_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("Czech name") << QStringLiteral("výsledky žáka") << QStringLiteral("výsledky žáka.txt");
        QTest::newRow("missing folder") << QStringLiteral("chybi/Vysledky.txt") << QString();
    }
    void save()
    {
        QFETCH(QString, written);
        QFETCH(QString, chosen);
        this->chosen = chosen;
        GenList& g = Forms::get<GenList>();
        Pupil::clickButton(&g, "txtfile");
        Pupil::clickButton(&g, "txtfile");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
        QFile file(dir.filePath(written));
        if (!written.isEmpty())
            QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : "", ReportCipher::GetEncodedBlock().toUtf8());
        const bool failed = !chosen.isEmpty() && written.isEmpty();
        QCOMPARE(questionsAsked.filter("NEULOŽILY").size(), failed ? 2 : 0);
        if (failed) {
            questionAnswers = {QMessageBox::No, QMessageBox::Yes};
            Pupil::clickButton(&g, "final");
            QCOMPARE(endRequests, 0);
            Pupil::clickButton(&g, "final");
            QCOMPARE(endRequests, 1);
        }
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
