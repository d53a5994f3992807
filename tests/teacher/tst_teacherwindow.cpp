#include "store/reportimport.h"
#include "store/schoolstore.h"
#include "support/storefixture.h"
#include "teacher/classtablemodel.h"
#include "teacher/teachercredentials.h"
#include "teacher/teachersystem.h"
#include "teacher/teacherwindow.h"

#include <QtCharts>
#include <QtWidgets>

using namespace StoreFixture;

namespace {

QStringList messages;
QString nextFile;

// A run as the pupils' program stores it at school.
void storeRun(const QString& surname, const QString& className, int right, int wrong, QDate day)
{
    RunState run;
    run.profileSurname = surname, run.profileClass = className, run.examplesRight = right, run.examplesWrong = wrong;
    qint32 totals[2];
    QVERIFY(
        !SchoolStore::storeResultsAndReadTotals(run, QDateTime(day, QTime(9, 0)), "zak", totals[0], totals[1]).failed);
}

// The visible table, a row per pupil, in the plain values of its cells.
QList<QVariantList> tableRows(TeacherWindow& w)
{
    const QAbstractItemModel* m = w.findChild<QTableView*>("tabulka")->model();
    QList<QVariantList> rows;
    for (int r = 0; r < m->rowCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < m->columnCount(); ++c)
            row << m->index(r, c).data(ClassTableModel::SortRole);
        rows << row;
    }
    return rows;
}

// What the server sign-in dialog showed when it was answered: host, user, whether the password was hidden.
QStringList shownLogin;

// Fills in and confirms the server sign-in dialog once it is shown.
void signIn(const QString& host, int port, const QString& database, const QString& user, const QString& password,
            bool remember)
{
    shownLogin.clear();
    QTimer::singleShot(0, [=] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != "PrihlaseniServer") {
            if (dialog)
                dialog->close(); // something else: the test fails on what it then finds
            return;
        }
        const auto field = [dialog](const char* name) { return dialog->findChild<QLineEdit*>(name); };
        shownLogin << field("pocitac")->text() << field("uzivatel")->text()
                   << QString::number(field("heslo")->echoMode() == QLineEdit::Password);
        field("pocitac")->setText(host);
        dialog->findChild<QSpinBox*>("port")->setValue(port);
        field("databazeServeru")->setText(database);
        field("uzivatel")->setText(user);
        QTest::keyClicks(field("heslo"), password);
        dialog->findChild<QCheckBox*>("zapamatovatHeslo")->setChecked(remember);
        dialog->findChild<QPushButton*>("pripojit")->click();
    });
}

} // namespace

class TestTeacherWindow : public QObject {
    Q_OBJECT
private slots:
    // A teacher's session on either engine: the table against runs written by the pupils' store, the chart, the
    // export, dropped reports, and the database failing while the window is open.
    void session_data() { addEngineRows(); }
    void session()
    {
        messages.clear();
        TeacherSystem::openFileName = [](auto&&...) { return nextFile; };
        TeacherSystem::saveFileName = [](auto&&...) { return nextFile; };
        TeacherSystem::message = [](auto, auto, const auto&, const QString& text) { messages << text; };
        STORE_DATABASE(db);
        QTemporaryDir dir;
        TeacherWindow w;
        w.show();
        w.openConfigured();
        const QUrl server(db.url);
        if (db.kind == Database::Kind::Postgres) {
            // The pupils' server login (kvizmat.conf) is not the teacher's: the window asks for the teacher's own,
            // offering the pupils' server without their user.
            QVERIFY2(w.status().contains("patří programu žáků") && !w.status().contains(db.name),
                     qPrintable(w.status()));
            signIn(server.host(), server.port(), db.name, server.userName(), "Ucitelovo-Heslo", true);
            w.findChild<QPushButton*>("adresaServeru")->click();
            QCOMPARE(shownLogin, QStringList({server.host(), "", "1"}));
            // Without a keyring (as here) the password is simply not kept.
            QVERIFY2(w.status().startsWith("Načteno") && w.status().endsWith("klíčenka systému není k dispozici."),
                     qPrintable(w.status()));
        }
        // The teacher's window opens the teacher's last database next time; its file keeps no password.
        {
            TeacherWindow again;
            again.openConfigured();
            QVERIFY2(again.status().startsWith("Načteno"), qPrintable(again.status()));
            QFile own(TeacherCredentials::configFile());
            QVERIFY(own.open(QIODevice::ReadOnly));
            const QByteArray kept = own.readAll();
            QVERIFY2(kept.contains(db.kind == Database::Kind::Sqlite ? "skola.db" : qPrintable(db.name)) &&
                         !kept.contains("Heslo"),
                     kept.constData());
        }
        nextFile = writeFile(dir.filePath("zaci.csv"), "Novák;2B\nDvořák;2B\nČech;2B\nAdam;3A\n");
        w.findChild<QPushButton*>("zaciCsv")->click();
        QVERIFY(messages.value(0).contains("Zapsáno žáků: 4"));
        storeRun("Novák", "2B", 5, 1, QDate(2024, 5, 2));
        storeRun("Novák", "2B", 3, 3, QDate(2024, 5, 3));
        storeRun("Dvořák", "2B", 4, 0, QDate(2024, 5, 3));
        storeRun("Adam", "3A", 0, 2, QDate(2024, 4, 30));
        QVERIFY(db.exec({"INSERT INTO \"Prehled\" (\"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", \"TypZkous\") "
                         "VALUES ('Novák', '2B', 50, 50, 1)"}));
        QVERIFY(w.reload());
        // Czech order of surnames (Č after C, before D); figures summed by the database.
        const QList<QVariantList> all = {
            {"3A", "Adam", 1, 0, 2, 0.0, QDate(2024, 4, 30).toJulianDay()},
            {"2B", "Čech", 0, 0, 0, -1.0, -1},
            {"2B", "Dvořák", 1, 4, 0, 100.0, QDate(2024, 5, 3).toJulianDay()},
            {"2B", "Novák", 2, 8, 4, 8.0 / 12.0 * 100.0, QDate(2024, 5, 3).toJulianDay()},
        };
        QCOMPARE(tableRows(w), all);
        auto* classBox = w.findChild<QComboBox*>("trida");
        classBox->setCurrentIndex(classBox->findData("2B"));
        QTest::keyClicks(w.findChild<QLineEdit*>("hledat"), "dvor");
        QCOMPARE(tableRows(w), QList<QVariantList>{all[2]});
        w.findChild<QLineEdit*>("hledat")->clear();
        w.findChild<QTableView*>("tabulka")->sortByColumn(ClassTableModel::SuccessColumn, Qt::DescendingOrder);
        QCOMPARE(tableRows(w), (QList<QVariantList>{all[2], all[3], all[1]}));

        // The chart of the class, one bar per pupil in the class's order, saved as a picture.
        auto* bars = qobject_cast<QBarSeries*>(w.findChild<QChartView*>("grafUspesnosti")->chart()->series().value(0));
        QVERIFY(bars && bars->barSets().value(0)->count() == 3);
        QCOMPARE(bars->barSets().value(0)->at(2), 8.0 / 12.0 * 100.0);
        nextFile = dir.filePath("graf.png");
        w.findChild<QPushButton*>("ulozitGraf")->click();
        QVERIFY(!QImage(nextFile).isNull());

        // The export read back field by field, as a Czech spreadsheet would; a failed write is reported.
        nextFile = dir.filePath("vysledky.csv");
        w.findChild<QPushButton*>("exportCsv")->click();
        QFile csv(nextFile);
        QVERIFY(csv.open(QIODevice::ReadOnly) && csv.read(3) == "\xEF\xBB\xBF");
        QList<QStringList> fields;
        for (const QString& line : QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts))
            fields << line.split(';');
        QCOMPARE(fields, (QList<QStringList>{
                             {"Třída", "Příjmení", "Běhů", "Příklady dobře", "Příklady špatně", "Úspěšnost (%)",
                              "Poslední běh"},
                             {"2B", "Dvořák", "1", "4", "0", "100,00", "03.05.2024"},
                             {"2B", "Novák", "2", "8", "4", "66,67", "03.05.2024"},
                             {"2B", "Čech", "0", "0", "0", "", ""},
                         }));
        nextFile = dir.filePath("chybi/vysledky.csv");
        w.findChild<QPushButton*>("exportCsv")->click();
        QVERIFY(messages.last().startsWith("Tabulku nelze uložit"));

        // Dropped files: a line for each block and each refused file, in the order read.
        const QByteArray novak = reportBlock("Novák", "2B", 3, 1);
        QMimeData mime;
        mime.setUrls(
            {QUrl::fromLocalFile(writeFile(dir.filePath("blok.txt"), "Dobrý den,\n\n" + novak + "\n\nJan\n")),
             QUrl::fromLocalFile(
                 writeFile(dir.filePath("dopis.eml"), "From: a@b.cz\nSubject: x\nMIME-Version: 1.0\nContent-Type: "
                                                      "text/plain\nContent-Transfer-Encoding: base64\n\n" +
                                                          reportBlock("Malá", "1A", 5, 0).toBase64())),
             QUrl::fromLocalFile(
                 writeFile(dir.filePath("posta.mbox"), "From a Mon May  6 13:00:00 2024\nSubject: 1\n\n" + novak +
                                                           "\n\nFrom c Mon May  6 14:00:00 2024\nSubject: 2\n\n" +
                                                           novak.chopped(40) + "\n")),
             QUrl::fromLocalFile(writeFile(dir.filePath("obrazek.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QTRY_VERIFY(!w.importing());
        using K = ImportOutcome::Kind;
        QList<int> kinds;
        QTreeWidget* log = w.importLog();
        for (int i = 0; i < log->topLevelItemCount(); ++i)
            kinds << log->topLevelItem(i)->data(2, Qt::UserRole).toInt();
        QCOMPARE(kinds, (QList<int>{int(K::Imported), int(K::Imported), int(K::AlreadyImported), int(K::Refused), -1}));
        QCOMPARE(log->topLevelItem(0)->text(2), "importováno: Novák, třída 2B, dobře 3, špatně 1");
        QVERIFY(log->topLevelItem(3)->text(2).startsWith("odmítnuto: Blok nelze dekódovat"));
        QCOMPARE(db.count(), 7);
        QCOMPARE(w.pupils().size(), 5);

        // The database fails: a message, the last table kept, nothing claimed.
        if (db.kind == Database::Kind::Sqlite) {
            for (const char* suffix : {"-wal", "-shm"})
                QFile::remove(db.url + suffix);
            writeFile(db.url, QByteArray(4096, 'x'));
        } else {
            QVERIFY(
                run(StoreConfig::fromUrl(pgUrl), {QStringLiteral("DROP DATABASE \"%1\" WITH (FORCE)").arg(db.name)}));
        }
        QVERIFY(!w.reload());
        QVERIFY2(w.status().startsWith("Výsledky nelze načíst: ") && w.status().endsWith("dříve načtený stav."),
                 qPrintable(w.status()));
        QCOMPARE(w.pupils().size(), 5);
        w.importFiles({writeFile(dir.filePath("blok2.txt"), reportBlock("Novák", "2B", 3, 1))});
        QTRY_VERIFY(!w.importing());
        QVERIFY(log->topLevelItem(log->topLevelItemCount() - 1)->text(2).startsWith("nezapsáno: "));

        // A server that cannot be reached: a Czech message without the password.
        signIn("127.0.0.1", 1, "skola", "ucitel", "tajneHeslo", true);
        w.findChild<QPushButton*>("adresaServeru")->click();
        QCOMPARE(shownLogin.value(1), db.kind == Database::Kind::Postgres ? server.userName() : QString());
        QVERIFY2(w.status().contains("127.0.0.1:1") && !w.status().contains("tajneHeslo"), qPrintable(w.status()));
    }
};

QTEST_MAIN(TestTeacherWindow)
#include "tst_teacherwindow.moc"
