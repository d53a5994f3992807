#include "app/help.h"
#include "app/navigation.h"
#include "app/schoolfixture.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/data_a_promene.h"
#include "core/helptext.h"
#include "core/profileitem.h"
#include "store/schoolstore.h"
#include "support/storefixture.h"
#include "step1/krok1.h"
#include "support/testsupport.h"
#include "ui/forms/forms.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<SchoolFixture> school;

private slots:
    void init()
    {
        TestSupport::resetProgram();
        school = std::make_unique<SchoolFixture>();
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
    }

    // A key, the timer or a button released over the background (not over a label) opens Welcome once.
    void splashOpensWelcomeOnce()
    {
        Navigation::start();
        QPointer<Uvod> splash = Forms::find<Uvod>();
        QTest::mouseClick(splash->Label3, Qt::LeftButton);
        QVERIFY(!Forms::find<Welcome>());
        splash->Timer1->setInterval(100); // a second opening would come from this tick
        QTest::keyClick(splash, Qt::Key_A);
        QTRY_VERIFY(splash.isNull() && Forms::find<Welcome>());
        Forms::unload<Welcome>();
        QTest::qWait(300);
        QVERIFY(!Forms::find<Welcome>());
        Navigation::start();
        Forms::find<Uvod>()->Timer1->setInterval(50);
        QTRY_VERIFY(Forms::find<Welcome>() && !Forms::find<Uvod>());
        Forms::unloadAll();
        Navigation::start();
        QTest::mouseClick(Forms::find<Uvod>(), Qt::RightButton, {}, QPoint(5, 300));
        QVERIFY(Forms::find<Welcome>() && !Forms::find<Uvod>());
    }

    // Without a usable database the e-mail sign-in is preselected and the school option disabled.
    void welcomeDatabase_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("state"); // school option, e-mail option, profile list, name and class, messages
        QTest::newRow("no configuration") << u"none"_s << u"off checked off on 0"_s;
        QTest::newRow("configured file missing") << u"missing"_s << u"off checked off on 0"_s;
        QTest::newRow("present") << u"present"_s << u"on - Svoboda; 3A|Černá; 1C off 0"_s;
        QTest::newRow("unreadable") << u"garbage"_s << u"off checked off on 1"_s;
    }
    void welcomeDatabase()
    {
        QFETCH(QString, database);
        if (database == "missing")
            school->configure();
        else if (database == "present")
            school->createDatabase({{"Svoboda", "3A"}, {"Černá", "1C"}});
        else if (database == "garbage")
            school->createGarbage();
        Welcome& w = Forms::get<Welcome>();
        QStringList profiles;
        for (int i = 0; i < w.Users->count(); ++i)
            profiles << w.Users->itemText(i);
        QVERIFY(w.Users->currentIndex() == -1 && w.Users->isEnabled() == w.conn[0]->isEnabled());
        QTEST(QStringList({w.conn[0]->isEnabled() ? "on" : "off", w.conn[1]->isChecked() ? "checked" : "-",
                           w.Users->count() ? profiles.join('|') : "off",
                           w.Jm->isEnabled() && w.Tr->isEnabled() && w.lblJm->isEnabled() ? "on" : "off",
                           QString::number(TestSupport::questionsAsked.size())})
                  .join(' '),
              "state");
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
        QStringList recorded;
        for (int i = 0; i < pupils.size(); ++i) {
            Welcome& w = Forms::get<Welcome>();
            w.Users->setCurrentIndex(i);
            QTest::mouseClick(w.Command1, Qt::LeftButton);
            RunState& run = Data_a_promene::runState;
            run.examplesRight = i + 1;
            qint32 right = 0, wrong = 0;
            QVERIFY(
                !SchoolStore::storeResultsAndReadTotals(run, QDateTime::currentDateTime(), "zak", right, wrong).failed);
            recorded << run.profileSurname + '|' + run.profileClass + '|' + QString::number(right);
            Forms::unloadAll();
        }
        QCOMPARE(recorded, QStringList({"Nov|2B|1", "Nov;ák|2B|2", "Novák|  2B|3", "Novák|2B|7", "Nov|ák; 2B|6"}));
        for (int i = 0; i < pupils.size(); ++i)
            QCOMPARE(db.count(u"\"Prijmeni\" = '%1' AND \"Trida\" = '%2' AND \"Spravne\" = %3"_s.arg(
                         pupils[i].surname, pupils[i].className, QString::number(i + 1))),
                     1);
    }

    void okWithoutProfileBeepsAndSwitchingKeepsEntries()
    {
        school->createDatabase({{"Novák", "2B"}, {"Svoboda", "3A"}});
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(TestSupport::beeps, 1);
        QVERIFY(w.isVisible() && !Forms::find<Help>());
        w.Users->setCurrentIndex(1);
        QTest::mouseClick(w.conn[1], Qt::LeftButton);
        QTest::sendKeyEvent(QTest::Click, w.Jm, Qt::Key_unknown, QStringLiteral("Š"), Qt::NoModifier);
        QTest::mouseClick(w.conn[0], Qt::LeftButton);
        QVERIFY(!w.Jm->isEnabled() && !w.lblTr->isEnabled() && w.Users->isEnabled());
        QCOMPARE(w.Jm->text(), QStringLiteral("Š"));
        QCOMPARE(w.Users->currentIndex(), 1);
    }

    // Lines of at most 44 characters, sections after two blank lines.
    void helpTextLayout()
    {
        const QStringList lines = HelpText::text().split(QStringLiteral("\r\n"));
        for (const QString& line : lines)
            QVERIFY2(line.size() <= 44 && !line.contains('\n'), qPrintable(line));
        const qsizetype at = lines.indexOf("2. Dialog - zadání vektoru komplexního");
        QVERIFY(at > 3 && lines.at(at - 1).isEmpty() && lines.at(at - 2).isEmpty());
    }

    void helpEnterAndEscLeadIntoFirstExample_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("inText");
        for (bool inText : {false, true}) {
            QTest::addRow("Enter%s", inText ? " in the text" : "") << int(Qt::Key_Return) << inText;
            QTest::addRow("Esc%s", inText ? " in the text" : "") << int(Qt::Key_Escape) << inText;
        }
    }
    void helpEnterAndEscLeadIntoFirstExample()
    {
        QFETCH(int, key);
        QFETCH(bool, inText);
        Help& help = Forms::get<Help>();
        help.showModeless();
        QTest::keyClick(inText ? static_cast<QWidget*>(help.Text1) : &help, Qt::Key(key));
        QTRY_VERIFY(!Forms::find<Help>());
        QVERIFY(Forms::find<Krok1>() && Forms::find<Krok1>()->isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
