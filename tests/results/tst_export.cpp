#include "app/forms.h"
#include "core/reportcipher.h"
#include "platform/system.h"
#include "results/genlist.h"
#include "testsupport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestExport : public QObject {
    Q_OBJECT
    QStringList chosenNames;
    QStringList dialogs;
    QString clipboard;

private slots:
    void init()
    {
        TestSupport::resetProgram();
        dialogs.clear();
        clipboard.clear();
        System::saveFileName = [this](QWidget*, const QString& title, const QString& proposed, const QString& filters,
                                      const QString& suffix) {
            dialogs << QStringList({title, proposed, filters, suffix}).join('|');
            return chosenNames.isEmpty() ? QString() : chosenNames.takeFirst();
        };
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
        ReportCipher::InitCipher();
        ReportCipher::EncodeText(QStringLiteral("Student: Jiří Dvořák\r\nTřída: 4.B\r\n"));
    }
    void cleanup() { Forms::unloadAll(); }

    void showsTheBlockAndCopiesIt()
    {
        GenList& g = Forms::get<GenList>();
        const QString block = ReportCipher::GetEncodedBlock();
        QVERIFY(g.data->isReadOnly() && QFontInfo(g.data->font()).fixedPitch());
        QCOMPARE(g.data->toPlainText().replace('\n', QStringLiteral("\r\n")), block);
        QTest::mouseClick(g.clipbrd, Qt::LeftButton);
        QCOMPARE(clipboard, block);
        QTest::mouseClick(g.final, Qt::LeftButton); // taken: no question
        QCOMPARE(TestSupport::endRequests, 1);
    }

    void save_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("cancelled") << ""
                                   << "";
        QTest::newRow("without extension") << "Vysledky"
                                           << "Vysledky.txt";
        QTest::newRow("other extension kept") << "zprava.dat"
                                              << "zprava.dat";
        QTest::newRow("Czech name") << "výsledky žáka"
                                    << "výsledky žáka.txt";
    }
    void save()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        chosenNames = QStringList(2, chosen.isEmpty() ? QString() : dir.filePath(chosen));
        GenList& g = Forms::get<GenList>();
        QTest::mouseClick(g.txtfile, Qt::LeftButton);
        QTest::mouseClick(g.txtfile, Qt::LeftButton); // the second save replaces the first
        QCOMPARE(dialogs.value(0), QStringLiteral("Vyber umístění a jméno souboru|Vysledky|Textové soubory (*.txt);;"
                                                  "Všechny soubory (*.*)|txt"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
        QFile file(dir.filePath(written));
        if (!written.isEmpty())
            QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                     ReportCipher::GetEncodedBlock().toUtf8());
        QVERIFY(TestSupport::questionsAsked.isEmpty());
    }

    void unwritableFileIsReported_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("missing folder") << "chybi/Vysledky.txt";
        QTest::newRow("a folder of that name") << "slozka.txt";
    }
    void unwritableFileIsReported()
    {
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("slozka.txt"));
        chosenNames = {dir.filePath(chosen)};
        GenList& g = Forms::get<GenList>();
        QTest::mouseClick(g.txtfile, Qt::LeftButton);
        QVERIFY(TestSupport::questionsAsked.value(0).contains(QStringLiteral("NEULOŽILY")));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        // Nothing has been taken yet, so leaving asks first.
        TestSupport::questionAnswers = {QMessageBox::No, QMessageBox::Yes};
        QTest::mouseClick(g.final, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 0);
        QTest::mouseClick(g.final, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
