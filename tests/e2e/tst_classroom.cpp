// Whole runs from the splash to the end of the program, driven only by keys and the mouse; the school
// database is a real SQLite file made by the teacher's tool. PUPIL ends the test when a helper failed.

#include "app/exerciseflow.h"
#include "app/help.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "support/storefixture.h"
#include "support/testsupport.h"
#include "ui/forms/system.h"

#include <QComboBox>
#include <QLabel>

using namespace TestSupport;

class TestClassroom : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<ModalScript> modals;
    QDateTime clock;
    QStringList summary;

    QString databasePath() const { return dir.filePath("skola.db"); }
    QString teacher(const QStringList& arguments) { return StoreFixture::tool(arguments).out; }

    // The items the review marks as wrong (red labels, bold buttons), as a screen reader hears them.
    static QStringList marked()
    {
        QStringList names;
        for (const char* name : {"cis3_0", "cis3_1", "cis3_2", "ab", "uhFi", "vek", "Sinusak"})
            if (shown<Spatny>() && !spoken(child<QWidget, Spatny>(name), QAccessible::Description).isEmpty())
                names << name;
        return names;
    }

    // The program's start: a key closes the splash.
    Welcome* start()
    {
        ExerciseFlow::start();
        if (!active<Uvod>())
            return nullptr;
        Pupil::press(Qt::Key_Space);
        return active<Welcome>();
    }

    // From the help (left with Enter) three examples, the first right, each left with "&Pokračovat"
    // to a new example (an entry left from before would show as a mark); the review marks what was wrong.
    void threeExamples(const QList<Work>& works, const QList<QStringList>& marks)
    {
        QVERIFY(active<Help>());
        // 25 / (3 - 4i) = 3 + 4i; (100 + 200i) + (300 - 400i) = 400 - 200i; (-7 + 2i) * (1 + 1i) = -9 - 5i
        const QList<QList<float>> examples = {exampleDraws(4, 25, 0, 3, -4), exampleDraws(1, 100, 200, 300, -400),
                                              exampleDraws(3, -7, 2, 1, 1)};
        for (int i = 0; i < 3; ++i) {
            TestSupport::scriptNextExample(examples[i]);
            Pupil::press(i ? Qt::Key_P : Qt::Key_Return, i ? Qt::AltModifier : Qt::NoModifier);
            QTRY_VERIFY(active<Krok1>());
            QVERIFY(!shown<Vysledky>() && !shown<Dobry>() && !shown<Spatny>());
            QCOMPARE((child<QLabel, Krok1>("k1_0")->text()), QString::number(QList<int>{25, 100, -7}[i]));
            modals->expect("Jseš si svými výsledky opravdu jist?", // "Dotaz", answered with Enter
                           [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
            PUPIL(workExample(works[i]));
            QTRY_VERIFY(active<Dobry>() || active<Spatny>());
            QVERIFY(i ? !!shown<Spatny>() : !!shown<Dobry>());
            QCOMPARE(marked(), marks[i]);
        }
    }

    // "&Konec", "&Ano" on the confirmation, the summary read and left with "&OK".
    void endRun(ModalScript::Action afterSummary = {})
    {
        clock = QDateTime(QDate(2026, 3, 14), QTime(10, 2, 10));
        modals->expect("Konec", [](QWidget*) { Pupil::press(Qt::Key_A, Qt::AltModifier); });
        modals->expect("Souhrn", [this](QWidget* w) {
            for (const char* name :
                 {"Dnes_0", "Dnes_1", "Dnes_2", "Celk_0", "Celk_1", "Celk_2", "dilcichDobre", "dilcichSpatne"})
                summary << child<QLabel>(w, name)->text();
            Pupil::press(Qt::Key_O, Qt::AltModifier);
        });
        if (afterSummary)
            modals->expect("GenList", afterSummary);
        Pupil::press(Qt::Key_K, Qt::AltModifier);
        QTRY_COMPARE(TestSupport::endRequests, 1);
        QCOMPARE(modals->pending(), 0);
    }

private slots:
    void initTestCase()
    {
        QDir(dir.path()).mkpath("config/kvizmat");
        QFile conf(dir.filePath("config/kvizmat/kvizmat.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[database]\npath=" + QFile::encodeName(databasePath()) + "\n");
    }

    void init()
    {
        // The question "Dotaz" is the real message box, answered by keys.
        System::useRealPlatform();
        const auto realQuestion = System::question;
        TestSupport::resetProgram();
        System::question = realQuestion;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
        clock = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
        System::now = [this] { return clock; };
        // The program's end hides every window, which ends the modal displays still open.
        System::endProgram = [] {
            ++TestSupport::endRequests;
            for (QWidget* w : QApplication::topLevelWidgets())
                w->hide();
        };
        System::saveFileName = [this](QWidget*, const QString&, const QString&, const QString&, const QString&) {
            return dir.filePath("vysledky-cermak");
        };
        summary.clear();
        modals = std::make_unique<ModalScript>();
        QFile::remove(databasePath());
    }

    void cleanup()
    {
        const QStringList unexpected = modals->unexpected();
        modals.reset();
        Forms::unloadAll();
        QApplication::processEvents();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
    }

    // Three examples: one right, then the angle wrong, then the phase shift not set.
    void schoolRunIsRecordedInTheDatabase()
    {
        QVERIFY(teacher({"zalozit", databasePath()}).startsWith("Založena"));
        QFile csv(dir.filePath("zaci.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("Svoboda;3.A\nNovák;2.B\nDvořáková;2.B\n");
        csv.close();
        QVERIFY(teacher({"zaci", databasePath(), csv.fileName()}).startsWith("Zapsáno"));
        // Earlier runs: this pupil's (one in another class), another program's, another pupil's.
        StoreFixture::run(
            StoreConfig::fromPath(databasePath()),
            {"INSERT INTO Prehled (Prijmeni, Trida, Spravne, Chybne, TypZkous) VALUES ('Novák', '2.B', 4, 1, 3), "
             "('Novák', '1.A', 2, 2, 3), ('Novák', '2.B', 9, 9, 5), ('Svoboda', '3.A', 7, 0, 3)"});

        Welcome* welcome = start();
        QVERIFY(welcome);
        Pupil::press(Qt::Key_V, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), child(welcome, "Users"));
        Pupil::press(Qt::Key_Down, Qt::NoModifier, 2);
        QCOMPARE(child<QComboBox>(welcome, "Users")->currentText(), "Novák; 2.B");
        Pupil::press(Qt::Key_Return);
        PUPIL(threeExamples({{{"3", "4", "5", "53,13"}},
                             {{"400", "-200", "447,2", "30"}},
                             {{"-9", "-5", "10,3", "209,05"}, true, true, false}},
                            {{}, {"uhFi"}, {"Sinusak"}}));
        PUPIL(endRun());
        QCOMPARE(summary, QStringList({" 3 příklady", " 1 příklad", " 2 příklady", " 12 příkladů", " 7 příkladů",
                                       " 5 příkladů", " 7 příkladů", " 2 příklady"}));
        QCOMPARE(StoreFixture::row(StoreConfig::fromPath(databasePath()),
                                   "SELECT Prijmeni, Trida, Spravne, Chybne, CasStrt, CasEnd, Datum, Prihlasenjako, "
                                   "TypZkous FROM Prehled ORDER BY rowid DESC LIMIT 1"),
                 (QVariantList{"Novák", "2.B", 1, 2, "09:26:53", "10:02:10", "2026-03-14", "zak", 3}));
    }

    // One right, then the vector forgotten, then |z|² and no sinusoid.
    void emailRunGivesTheTeacherTheReport()
    {
        Welcome* welcome = start();
        QVERIFY(welcome);
        Pupil::press(Qt::Key_J, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), child(welcome, "Jm"));
        Pupil::type("Jiří Čermák");
        Pupil::press(Qt::Key_Tab);
        Pupil::type("2.B");
        Pupil::press(Qt::Key_Return);
        PUPIL(threeExamples({{{"3", "4", "5", "53,13"}},
                             {{"400", "-200", "447,2", "333,43"}, false},
                             {{"-9", "-5", "106", "209,05"}, true, false}},
                            {{}, {"vek"}, {"ab", "Sinusak"}}));
        PUPIL(endRun([](QWidget* w) {
            Pupil::clickButton(w, "txtfile");
            Pupil::clickButton(w, "final");
        }));
        const QString none = QStringLiteral("není k dispozici");
        QCOMPARE(summary, QStringList({" 3 příklady", " 1 příklad", " 2 příklady", none, none, none, " 6 příkladů",
                                       " 3 příklady"}));
        QCOMPARE(teacher({"dekodovat", dir.filePath("vysledky-cermak.txt")}),
                 "Student: Jiří Čermák\nTřída: 2.B\nKvizmat: 3 - Komplexní čísla\nOd: 14.03.2026 09:26\n"
                 "Do: 14.03.2026 10:02\nCelkem odpovědí: 3\nZ toho dobře: 1 (33,33%)\nšpatně: 2 (66,67%)\n"
                 "dílčích úkolů dobře: 6 (66,67%)\ndílčích úkolů špatně: 3 (33,33%)\n");
    }
};

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
