#include "app/forms.h"
#include "app/help.h"
#include "app/info.h"
#include "app/navigation.h"
#include "app/schoolfixture.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/data_a_promene.h"
#include "core/helptext.h"
#include "core/profileitem.h"
#include "platform/system.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

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

    void keyBeforeTimerOpensWelcomeOnce()
    {
        Navigation::start();
        QPointer<Uvod> splash = Forms::find<Uvod>();
        QCOMPARE(splash->Timer1->interval(), 5000);
        QTest::mouseClick(splash->Label3, Qt::LeftButton); // the labels do not react
        QVERIFY(!Forms::find<Welcome>());
        // A short interval, so that a tick that must never come would come during the test.
        splash->Timer1->setInterval(100);
        QTest::keyClick(splash, Qt::Key_A);
        QVERIFY(Forms::find<Welcome>() && Forms::find<Welcome>()->isVisible());
        QTRY_VERIFY(splash.isNull());
        Forms::unload<Welcome>(); // as after the sign-in
        QTest::qWait(300);
        QVERIFY(!Forms::find<Welcome>());
    }

    void timerOrBackgroundClickOpensWelcome()
    {
        Navigation::start();
        Forms::find<Uvod>()->Timer1->setInterval(50);
        QTRY_VERIFY(Forms::find<Welcome>() && !Forms::find<Uvod>());
        Forms::unloadAll();
        Navigation::start();
        QTest::mouseClick(Forms::find<Uvod>(), Qt::RightButton, {}, QPoint(5, 300));
        QVERIFY(Forms::find<Welcome>() && !Forms::find<Uvod>());
    }

    void welcomeDatabase_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("school");
        QTest::addColumn<int>("messages");
        QTest::newRow("no configuration") << "none" << false << 0;
        QTest::newRow("configured file missing") << "missing" << false << 0;
        QTest::newRow("present") << "present" << true << 0;
        QTest::newRow("unreadable") << "garbage" << false << 1;
    }
    void welcomeDatabase()
    {
        QFETCH(QString, database);
        QFETCH(bool, school);
        QFETCH(int, messages);
        if (database == "missing")
            this->school->configure();
        else if (database == "present")
            this->school->createDatabase({{"Svoboda", "3A"}, {"Černá", "1C"}});
        else if (database == "garbage")
            this->school->createGarbage();
        Welcome& w = Forms::get<Welcome>();
        QCOMPARE(w.conn[0]->isEnabled(), school);
        QCOMPARE(w.conn[1]->isChecked(), !school);
        QCOMPARE(w.Users->isEnabled(), school);
        QCOMPARE(w.Jm->isEnabled() && w.Tr->isEnabled() && w.lblJm->isEnabled(), !school);
        QCOMPARE(TestSupport::questionsAsked.size(), messages);
        QCOMPARE(w.Users->count(), school ? 2 : 0);
        if (school)
            QCOMPARE(w.Users->itemText(1), QStringLiteral("Černá; 1C"));
        QCOMPARE(w.Users->currentIndex(), -1);
    }

    void profileParsing_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("className");
        QTest::newRow("plain") << "Novák; 2B"
                               << "Novák"
                               << "2B";
        QTest::newRow("several blanks") << "Novák;    2B"
                                        << "Novák"
                                        << "2B";
        QTest::newRow("semicolon in surname") << "Nová;k; 2B"
                                              << "Nová"
                                              << "2B";
        QTest::newRow("no semicolon") << "Novák"
                                      << "Novák"
                                      << "";
    }
    void profileParsing()
    {
        QFETCH(QString, item);
        const ProfileItem p = ProfileItem::parse(item);
        QTEST(p.surname, "surname");
        QTEST(p.className, "className");
    }

    void okWithoutProfileOnlyBeepsAndSwitchingKeepsEntries()
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
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
    }

    void aboutIsModalAndKeepsChoices()
    {
        QList<QUrl> opened;
        System::openUrl = [&opened](const QUrl& url) { opened << url; };
        school->createDatabase({{"Novák", "2B"}, {"Svoboda", "3A"}});
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        w.Users->setCurrentIndex(1);
        bool modal = false;
        TestSupport::onNextModal([&](QWidget* top) {
            if (auto* about = qobject_cast<info*>(top)) {
                modal = about->isModal();
                QTest::mouseClick(about->Label1, Qt::LeftButton);
                QTest::keyClick(about->Label6, Qt::Key_Space);
            }
            QTest::keyClick(top, Qt::Key_Return);
        });
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QVERIFY(modal);
        QCOMPARE(opened, QList<QUrl>({QUrl(QStringLiteral("mailto:") + info::firstAddress),
                                      QUrl(QStringLiteral("mailto:") + info::secondAddress)}));
        QTRY_VERIFY(!Forms::find<info>());
        QVERIFY(w.conn[0]->isChecked());
        QCOMPARE(w.Users->currentIndex(), 1);
    }

    void helpTextLayout()
    {
        const QStringList lines = HelpText::text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 2), QStringList({"Nápověda ke kvizmatu komplexních čísel", QString(39, '=')}));
        for (const QString& line : lines)
            QVERIFY2(line.size() <= 44 && !line.contains(QLatin1Char('\n')), qPrintable(line));
        for (const char* heading : {"1. Dialog - vypočtení komplexního čísla", "2. Dialog - zadání vektoru komplexního",
                                    "3. Dialog - určení sinusového průběhu s"}) {
            const qsizetype at = lines.indexOf(QString::fromUtf8(heading));
            QVERIFY2(at > 3 && lines.at(at - 1).isEmpty() && lines.at(at - 2).isEmpty(), heading);
            QVERIFY(lines.at(at + 1).startsWith('\t') || lines.at(at + 2).startsWith('\t'));
        }
        QVERIFY(lines.contains(QStringLiteral("fázovým posunem")));
        // The closing paragraph stands apart after the last section.
        qsizetype closing = lines.size() - 1;
        while (!lines.at(closing).startsWith('\t'))
            --closing;
        QVERIFY(lines.at(closing - 1).isEmpty() && lines.at(closing - 2).isEmpty());
    }

    void helpEnterAndEscLeadIntoFirstExample_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("inText");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter in the text") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc in the text") << int(Qt::Key_Escape) << true;
    }
    void helpEnterAndEscLeadIntoFirstExample()
    {
        QFETCH(int, key);
        QFETCH(bool, inText);
        Help& help = Forms::get<Help>();
        help.showModeless();
        QCOMPARE(help.Text1->toPlainText(), HelpText::text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QTest::keyClick(inText ? static_cast<QWidget*>(help.Text1) : &help, Qt::Key(key));
        QTRY_VERIFY(!Forms::find<Help>());
        QVERIFY(Forms::find<Krok1>() && Forms::find<Krok1>()->isVisible());
    }

    void everyControlHasACzechAccessibleName()
    {
        Data_a_promene::runState.emailMode = true;
        for (Form* form : QList<Form*>{&Forms::get<Uvod>(), &Forms::get<Welcome>(), &Forms::get<Help>(),
                                       &Forms::get<info>(), &Forms::get<Souhrn>(), &Forms::get<GenList>()}) {
            // Named widgets are the form's controls (a separator line needs no name).
            for (QWidget* c : form->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^(?!qt_|Line).+"))))
                QVERIFY2(!c->accessibleName().isEmpty() && !c->accessibleName().contains('&'),
                         qPrintable(form->objectName() + '.' + c->objectName()));
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
