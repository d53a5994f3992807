#include "app/exerciseflow.h"
#include "app/help.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/profileitem.h"
#include "step1/krok1.h"
#include "store/schoolstore.h"
#include "support/storefixture.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

using namespace TestSupport;
using namespace Qt::StringLiterals;

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<StoreFixture::Database> school;

private slots:
    void init()
    {
        resetProgram();
        school = std::make_unique<StoreFixture::Database>(StoreFixture::Database::Kind::Sqlite);
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
        school.reset();
    }

    // A key, the timer or a button released over the background (not over a label) opens Welcome once.
    void splashOpensWelcomeOnce()
    {
        ExerciseFlow::start();
        QPointer<Uvod> splash = Forms::find<Uvod>();
        QTest::mouseClick(child<QLabel>(splash, "Label3"), Qt::LeftButton);
        QVERIFY(!Forms::find<Welcome>());
        child<QTimer>(splash, "Timer1")->setInterval(100); // a second opening would come from this tick
        QTest::keyClick(splash, Qt::Key_A);
        QTRY_VERIFY(splash.isNull() && Forms::find<Welcome>());
        Forms::unload<Welcome>();
        QTest::qWait(300);
        QVERIFY(!Forms::find<Welcome>());
        ExerciseFlow::start();
        child<QTimer, Uvod>("Timer1")->setInterval(50);
        QTRY_VERIFY(Forms::find<Welcome>() && !Forms::find<Uvod>());
        Forms::unloadAll();
        ExerciseFlow::start();
        QTest::mouseClick(Forms::find<Uvod>(), Qt::RightButton, {}, QPoint(5, 300));
        QVERIFY(Forms::find<Welcome>() && !Forms::find<Uvod>());
    }

    // Without a usable database the e-mail sign-in is preselected and the school option disabled.
    void welcomeDatabase_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("atSchool");
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<int>("messages");
        QTest::newRow("no configuration") << "none" << false << QStringList() << 0;
        QTest::newRow("configured file missing") << "missing" << false << QStringList() << 0;
        QTest::newRow("present") << "present" << true << QStringList{"Svoboda; 3A", "Černá; 1C"} << 0;
        QTest::newRow("unreadable") << "garbage" << false << QStringList() << 1;
    }
    void welcomeDatabase()
    {
        QFETCH(QString, database);
        QFETCH(bool, atSchool);
        QFile file(school->dir.filePath("skola.db"));
        if (database == "none")
            QFile::remove(school->configFile());
        if (database == "missing" || database == "garbage")
            file.remove();
        if (database == "garbage")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
        if (database == "present")
            school->exec({"INSERT INTO Zaci VALUES ('Svoboda', '3A'), ('Černá', '1C')"});
        Welcome& w = Forms::get<Welcome>();
        auto* users = child<QComboBox>(&w, "Users");
        QStringList profiles;
        for (int i = 0; i < users->count(); ++i)
            profiles << users->itemText(i);
        QTEST(profiles, "profiles");
        QCOMPARE(users->currentIndex(), -1);
        QCOMPARE(child<QRadioButton>(&w, "conn_1")->isChecked(), !atSchool);
        QList<bool> enabled; // the school sign-in, then the typed one
        for (const char* control : {"conn_0", "Users", "Jm", "Tr", "lblJm"})
            enabled << child(&w, control)->isEnabled();
        QCOMPARE(enabled, QList<bool>({atSchool, atSchool, !atSchool, !atSchool, !atSchool}));
        QTEST(int(questionsAsked.size()), "messages");
    }

    // The run goes under the row of Zaci that was chosen, exactly as stored: a surname may hold ";"
    // and a class may begin with blanks. Right counts 1 to 5; totals go by surname.
    void signInTakesTheRowChosen_data() { StoreFixture::addEngineRows(); }
    void signInTakesTheRowChosen()
    {
        STORE_DATABASE(db);
        const QList<ProfileItem> pupils = {
            {"Nov", "2B"}, {"Nov;ák", "2B"}, {"Novák", "  2B"}, {"Novák", "2B"}, {"Nov", "ák; 2B"}};
        for (const ProfileItem& p : pupils)
            QVERIFY(db.exec({u"INSERT INTO \"Zaci\" VALUES ('%1', '%2')"_s.arg(p.surname, p.className)}));
        QTest::mouseClick(child<QPushButton, Welcome>("Command1"), Qt::LeftButton); // nobody chosen: a beep
        QVERIFY(beeps == 1 && !Forms::find<Help>());
        QList<QVariantList> recorded;
        for (int i = 0; i < pupils.size(); ++i) {
            Welcome& w = Forms::get<Welcome>();
            child<QComboBox>(&w, "Users")->setCurrentIndex(i);
            QTest::mouseClick(child<QPushButton>(&w, "Command1"), Qt::LeftButton);
            RunState& run = ExerciseFlow::run().runState;
            run.examplesRight = i + 1;
            qint32 right = 0, wrong = 0;
            QVERIFY(
                !SchoolStore::storeResultsAndReadTotals(run, QDateTime::currentDateTime(), "zak", right, wrong).failed);
            recorded << QVariantList{run.profileSurname, run.profileClass, right};
            Forms::unloadAll();
        }
        QCOMPARE(recorded, (QList<QVariantList>{{"Nov", "2B", 1},
                                                {"Nov;ák", "2B", 2},
                                                {"Novák", "  2B", 3},
                                                {"Novák", "2B", 7},
                                                {"Nov", "ák; 2B", 6}}));
    }

    // Enter and Esc, on the form or in the text, lead into the first example.
    void helpLeadsIntoTheFirstExample()
    {
        for (bool inText : {false, true})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
                Help& help = Forms::get<Help>();
                help.showModeless();
                QTest::keyClick(inText ? child(&help, "Text1") : &help, key);
                QTRY_VERIFY2(!Forms::find<Help>() && shown<Krok1>(), qPrintable(QString::number(key)));
                Forms::unloadAll();
            }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
