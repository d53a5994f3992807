#include "store/reportimport.h"
#include "store/schoolstore.h"
#include "support/storefixture.h"
#include "teacher/classchart.h"
#include "teacher/classtablemodel.h"
#include "teacher/teachercredentials.h"
#include "teacher/pupilhistory.h"
#include "teacher/teachersystem.h"
#include "teacher/teacherwindow.h"

#include <QtCharts>
#include <QtWidgets>

using namespace StoreFixture;

namespace {

QStringList messages;
QString details;
QString nextFile;

// Database work runs on its own thread; the window is waited for, never a fixed time.
#define SETTLE(w) QTRY_VERIFY_WITH_TIMEOUT(!(w).busy(), 120000)

// A run as the pupils' program stores it at school.
void storeRun(const QString& surname, const QString& className, int right, int wrong, QDate day)
{
    RunState run;
    run.profileSurname = surname, run.profileClass = className, run.examplesRight = right, run.examplesWrong = wrong;
    run.signInTime = 8.5 / 24; // 8:30
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
        TeacherSystem::detailedMessage = [](auto, auto, const auto&, const QString& text, const QString& more) {
            messages << text, details = more;
        };
        STORE_DATABASE(db);
        QTemporaryDir dir;
        TeacherWindow w;
        w.resize(1366, 700); // a 1366×768 desktop less its panel
        w.show();
        w.openConfigured();
        SETTLE(w);
        const QUrl server(db.url);
        if (db.kind == Database::Kind::Postgres) {
            // The pupils' server login (kvizmat.conf) is not the teacher's: the window asks for the teacher's own,
            // offering the pupils' server without their user.
            QVERIFY2(w.status().contains("patří programu žáků") && !w.status().contains(db.name),
                     qPrintable(w.status()));
            signIn(server.host(), server.port(), db.name, server.userName(), "Ucitelovo-Heslo", true);
            w.findChild<QPushButton*>("adresaServeru")->click();
            QCOMPARE(shownLogin, QStringList({server.host(), "", "1"}));
            SETTLE(w);
            // Without a keyring (as here) the password is simply not kept.
            QVERIFY2(w.status().startsWith("Načteno") && w.status().endsWith("klíčenka systému není k dispozici."),
                     qPrintable(w.status()));
        }
        // The teacher's window opens the teacher's last database next time; its file keeps no password.
        {
            TeacherWindow again;
            again.openConfigured();
            SETTLE(again);
            QVERIFY2(again.status().startsWith("Načteno"), qPrintable(again.status()));
            QFile own(TeacherCredentials::configFile());
            QVERIFY(own.open(QIODevice::ReadOnly));
            const QByteArray kept = own.readAll();
            QVERIFY2(kept.contains(db.kind == Database::Kind::Sqlite ? "skola.db" : qPrintable(db.name)) &&
                         !kept.contains("Heslo"),
                     kept.constData());
        }
        SETTLE(w);
        // A class list from a Czech spreadsheet (Windows-1250); a file of bad lines summed up in a few lines.
        nextFile = writeFile(dir.filePath("zaci.csv"), "Nov\xe1k;2B\nDvo\xf8\xe1k;2B\n\xc8\x65\x63h;2B\nAdam;3A\n");
        w.findChild<QPushButton*>("zaciCsv")->click();
        QTRY_VERIFY(!messages.isEmpty());
        QVERIFY(messages.value(0).contains("Zapsáno žáků: 4"));
        nextFile = writeFile(dir.filePath("spatne.csv"), QByteArray("bez stredniku\n").repeated(100));
        w.findChild<QPushButton*>("zaciCsv")->click();
        QTRY_COMPARE(messages.size(), 2);
        QVERIFY2(messages[1].count('\n') < 16 && messages[1].contains("a dalších 92"), qPrintable(messages[1]));
        QCOMPARE(details.count("chybí středník"), 100);
        storeRun("Novák", "2B", 5, 1, QDate(2024, 5, 2));
        storeRun("Novák", "2B", 3, 3, QDate(2024, 5, 3));
        storeRun("Dvořák", "2B", 4, 0, QDate(2024, 5, 3));
        storeRun("Adam", "3A", 0, 2, QDate(2024, 4, 30));
        QVERIFY(db.exec({"INSERT INTO \"Prehled\" (\"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", \"TypZkous\") "
                         "VALUES ('Novák', '2B', 50, 50, 1)"}));
        w.reload();
        SETTLE(w);
        // The table has the window: at least 15 rows at 1366×768; the status line is what a screen reader hears.
        auto* table = w.findChild<QTableView*>("tabulka");
        QVERIFY2(table->viewport()->height() / table->verticalHeader()->defaultSectionSize() >= 15,
                 qPrintable(QString::number(table->viewport()->height())));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.findChild<QLabel*>("stav"))->text(QAccessible::Name),
                 "Stav: " + w.status());
        // Czech order of surnames (Č after C, before D); figures summed by the database.
        const QList<QVariantList> all = {
            {"3A", "Adam", 1, 0, 2, 0.0, QDate(2024, 4, 30).toJulianDay(), ""},
            {"2B", "Čech", 0, 0, 0, -1.0, -1, ""},
            {"2B", "Dvořák", 1, 4, 0, 100.0, QDate(2024, 5, 3).toJulianDay(), ""},
            {"2B", "Novák", 2, 8, 4, 8.0 / 12.0 * 100.0, QDate(2024, 5, 3).toJulianDay(), ""},
        };
        QCOMPARE(tableRows(w), all);
        auto* classBox = w.findChild<QComboBox*>("trida");
        classBox->setCurrentIndex(classBox->findData("2B"));
        QTest::keyClicks(w.findChild<QLineEdit*>("hledat"), "dvor");
        QCOMPARE(tableRows(w), QList<QVariantList>{all[2]});
        w.findChild<QLineEdit*>("hledat")->clear();
        w.findChild<QTableView*>("tabulka")->sortByColumn(ClassTableModel::SuccessColumn, Qt::DescendingOrder);
        QCOMPARE(tableRows(w), (QList<QVariantList>{all[2], all[3], all[1]}));

        // The chart of the class, one bar per pupil read from the top in the class's order, saved at a fixed size
        // whatever the window's; printed to a PDF.
        SETTLE(w);
        auto* bars =
            qobject_cast<QHorizontalBarSeries*>(w.findChild<QChartView*>("grafUspesnosti")->chart()->series().value(0));
        QVERIFY(bars && bars->barSets().value(0)->count() == 3);
        QCOMPARE(bars->barSets().value(0)->at(0), 8.0 / 12.0 * 100.0);
        nextFile = dir.filePath("graf.png");
        w.findChild<QPushButton*>("ulozitGraf")->click();
        QCOMPARE(QImage(nextFile).width(), 1200);
        nextFile = dir.filePath("prehled.pdf");
        w.findChild<QPushButton*>("pdf")->click();
        QFile pdf(nextFile);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");

        // Enter on a row: the pupil's runs as stored, from school.
        table->setFocus();
        table->setCurrentIndex(table->model()->index(1, 0)); // Novák, by success
        QTest::keyClick(table, Qt::Key_Return);
        QTRY_VERIFY(w.findChild<PupilHistory*>());
        QTableWidget* runs = w.findChild<PupilHistory*>()->table();
        QList<QStringList> shownRuns;
        for (int r = 0; r < runs->rowCount(); ++r) {
            shownRuns << QStringList();
            for (int c = 0; c < runs->columnCount(); ++c)
                shownRuns.last() << runs->item(r, c)->text();
        }
        QCOMPARE(shownRuns,
                 (QList<QStringList>{{"2. 5. 2024", "8:30", "9:00", "5", "1", "83,33 %", "ve škole (zak)"},
                                     {"3. 5. 2024", "8:30", "9:00", "3", "3", "50,00 %", "ve škole (zak)"}}));
        delete w.findChild<PupilHistory*>();

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
                              "Poslední běh", "Poznámka"},
                             {"2B", "Dvořák", "1", "4", "0", "100,00", "03.05.2024", ""},
                             {"2B", "Novák", "2", "8", "4", "66,67", "03.05.2024", ""},
                             {"2B", "Čech", "0", "0", "0", "", "", ""},
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
        SETTLE(w);
        using K = ImportOutcome::Kind;
        QList<int> kinds;
        QTreeWidget* log = w.importLog();
        for (int i = 0; i < log->topLevelItemCount(); ++i)
            kinds << log->topLevelItem(i)->data(2, Qt::UserRole).toInt();
        QCOMPARE(kinds,
                 (QList<int>{int(K::Imported), int(K::Imported), int(K::AlreadyImported), int(K::Refused), -1, -2}));
        QCOMPARE(log->topLevelItem(0)->text(2), "importováno: Novák, třída 2B, dobře 3, špatně 1");
        QCOMPARE(log->topLevelItem(1)->text(2),
                 "importováno (není v seznamu třídy): Malá, třída 1A, dobře 5, špatně 0");
        QVERIFY(log->topLevelItem(3)->text(2).startsWith("odmítnuto: Blok nelze dekódovat"));
        QCOMPARE(log->topLevelItem(5)->text(2),
                 "Import hotov: importováno 2 (z toho 1 není v seznamu třídy), už dříve 1, odmítnuto 2.");
        QCOMPARE(db.count(), 7);
        QCOMPARE(w.pupils().size(), 5);
        QCOMPARE(w.pupils().value(0).surname, "Malá");
        QVERIFY(!w.pupils().value(0).listed);

        // A period: only its runs count, and it is named.
        auto* periodBox = w.findChild<QComboBox*>("obdobi");
        w.findChild<QDateEdit*>("od")->setDate(QDate(2024, 5, 3));
        w.findChild<QDateEdit*>("do")->setDate(QDate(2024, 5, 3));
        periodBox->setCurrentIndex(periodBox->findData(int(ClassResults::Period::Kind::Chosen)));
        SETTLE(w);
        QVERIFY2(w.status().startsWith("Načteno (3. 5. 2024 – 3. 5. 2024)"), qPrintable(w.status()));
        QCOMPARE(w.pupils().value(2).surname, "Novák");
        QCOMPARE(QList<qint64>({w.pupils()[2].runs, w.pupils()[2].right}), QList<qint64>({1, 3}));
        periodBox->setCurrentIndex(0);
        SETTLE(w);

        // The database fails: a message, the last table kept, nothing claimed.
        if (db.kind == Database::Kind::Sqlite) {
            for (const char* suffix : {"-wal", "-shm"})
                QFile::remove(db.url + suffix);
            writeFile(db.url, QByteArray(4096, 'x'));
        } else {
            QVERIFY(
                run(StoreConfig::fromUrl(pgUrl), {QStringLiteral("DROP DATABASE \"%1\" WITH (FORCE)").arg(db.name)}));
        }
        w.reload();
        SETTLE(w);
        QVERIFY2(w.status().startsWith("Výsledky nelze načíst: ") && w.status().endsWith("dříve načtený stav."),
                 qPrintable(w.status()));
        QCOMPARE(w.pupils().size(), 5);
        w.importFiles({writeFile(dir.filePath("blok2.txt"), reportBlock("Novák", "2B", 3, 1))});
        SETTLE(w);
        QVERIFY(log->topLevelItem(log->topLevelItemCount() - 2)->text(2).startsWith("nezapsáno: "));

        // A server that cannot be reached: a Czech message without the password.
        signIn("127.0.0.1", 1, "skola", "ucitel", "tajneHeslo", true);
        w.findChild<QPushButton*>("adresaServeru")->click();
        QCOMPARE(shownLogin.value(1), db.kind == Database::Kind::Postgres ? server.userName() : QString());
        SETTLE(w);
        QVERIFY2(w.status().contains("127.0.0.1:1") && !w.status().contains("tajneHeslo"), qPrintable(w.status()));
        // A database that could not be read is not remembered, nor is any password.
        w.close();
        QFile own(TeacherCredentials::configFile());
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QByteArray kept = own.readAll();
        QVERIFY2(!kept.contains("127.0.0.1:1") && !kept.contains("tajneHeslo"), kept.constData());
    }

    // Files given at start, as the desktop passes them: a database opened, mails and a mailbox imported into it.
    void startupFiles()
    {
        Database db(Database::Kind::Sqlite);
        Database other(Database::Kind::Sqlite); // named by kvizmat.conf, not to be used
        QTemporaryDir dir;
        const QString mail = writeFile(dir.filePath("dopis.eml"),
                                       "From: zak@skola.cz\nSubject: x\n\n" + reportBlock("Novák", "2B", 3, 1));
        const QString mailbox =
            writeFile(dir.filePath("posta.mbox"), "From a Mon May  6 13:00:00 2024\nSubject: 1\n\n" +
                                                      reportBlock("Malá", "1A", 5, 0) +
                                                      "\n\nFrom b Mon May  6 14:00:00 2024\n"
                                                      "Subject: 2\n\n" +
                                                      reportBlock("Malá", "1A", 1, 4) + "\n");
        TeacherWindow w;
        w.openStartup({mail, db.url, mailbox});
        SETTLE(w);
        QCOMPARE(db.count(), 3);
        QCOMPARE(other.count(), 0);
        QCOMPARE(w.pupils().size(), 2);

        // Malá's runs assigned to Novák, then the change undone.
        TeacherSystem::askName = [](auto, auto, auto, auto, const QList<QPair<QString, QString>>&) {
            return std::optional<QPair<QString, QString>>({"Novák", "2B"});
        };
        auto* table = w.findChild<QTableView*>("tabulka");
        table->setCurrentIndex(table->model()->index(0, 0));
        w.findChild<QPushButton*>("prejmenovatZaka")->click();
        SETTLE(w);
        QVERIFY2(w.status().contains("Malá, třída 1A → Novák, třída 2B (sloučeno); přesunuto běhů: 2"),
                 qPrintable(w.status()));
        QCOMPARE(w.pupils().size(), 1);
        QCOMPARE(w.pupils()[0].runs, 3);
        w.findChild<QPushButton*>("vratitZmenu")->click();
        SETTLE(w);
        QCOMPARE(w.pupils().size(), 2);

        // The next start without files opens the database of the last one, on the page it was left on.
        w.findChild<QTabWidget*>("karty")->setCurrentIndex(2);
        w.close();
        TeacherWindow again;
        again.openStartup({});
        SETTLE(again);
        QCOMPARE(again.pupils().size(), 2);
        QCOMPARE(again.findChild<QTabWidget*>("karty")->currentIndex(), 2);
    }

    // A locked database is waited for in sight; a cancel ends the import before its next block, and every block is
    // in whole or not at all.
    void cancelledImport()
    {
        Database db(Database::Kind::Sqlite);
        QTemporaryDir dir;
        QByteArray mailbox;
        for (int i = 0; i < 20; ++i)
            mailbox += "From a Mon May  6 13:00:00 2024\nSubject: x\n\n" + reportBlock("Žák", "1A", i, 1) + "\n\n";
        TeacherWindow w;
        w.openDatabase(db.config);
        SETTLE(w);
        {
            DatabaseConnection lock(db.config);
            QVERIFY(lock.open() && lock.beginWrite());
            w.importFiles({writeFile(dir.filePath("posta.mbox"), mailbox)});
            QTRY_VERIFY(w.status().contains("zamčená"));
            w.findChild<QPushButton*>("zrusit")->click();
            QVERIFY(!w.findChild<QWidget*>("prace")->isVisible());
            // The wait ends with the cancel, while the lock is still held.
            SETTLE(w);
            lock.rollback();
        }
        QTreeWidget* log = w.importLog();
        const QString summary = log->topLevelItem(log->topLevelItemCount() - 1)->text(2);
        QVERIFY2(summary.startsWith("Import zrušen: importováno "), qPrintable(summary));
        QCOMPARE(summary.section(' ', 3, 3).toInt(), 0);
        QCOMPARE(db.count(), 0);
        QCOMPARE(db.count("1 = 1", "ImportovaneBloky"), 0);
    }

    // Texts from pupils stay letters in charts too; a class of a hundred is counted per tenth of success.
    void chartTexts()
    {
        QList<ClassResults::Pupil> pupils;
        for (int i = 0; i < 100; ++i)
            pupils.append({"<h1>X</h1>", QString("<b>%1</b>").arg(i), 1, i, 100 - i, QDate(2024, 5, 2), false});
        const std::unique_ptr<QChart> few(ClassChart::successChart("<h1>X</h1>", pupils.mid(0, 3), "celé období"));
        QCOMPARE(few->title(), "Třída &lt;h1&gt;X&lt;/h1&gt; – úspěšnost žáků (%), celé období");
        QCOMPARE(qobject_cast<QBarCategoryAxis*>(few->axes(Qt::Vertical).value(0))->categories().value(0),
                 "&lt;b&gt;2&lt;/b&gt;");
        const std::unique_ptr<QChart> many(ClassChart::successChart("<h1>X</h1>", pupils, QString()));
        auto* counts = qobject_cast<QAbstractBarSeries*>(many->series().value(0))->barSets().value(0);
        QCOMPARE(counts->count(), 11);
        QCOMPARE(counts->sum(), 100.0);
        const std::unique_ptr<QChart> none(ClassChart::daysChart("1A", {}, QString()));
        QVERIFY(none->axes().isEmpty());
    }
};

QTEST_MAIN(TestTeacherWindow)
#include "tst_teacherwindow.moc"
