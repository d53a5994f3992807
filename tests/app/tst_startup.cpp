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
#include "core/report.h"
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

#include <memory>

using Data_a_promene::runState;

namespace {

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SchoolFixture> school;

private slots:
    void init() {
        TestSupport::resetProgram();
        school = std::make_unique<SchoolFixture>();
    }
    void cleanup() {
        Forms::unloadAll();
        QApplication::processEvents();
    }

    void keyBeforeTimerOpensWelcomeOnce() {
        Navigation::start();
        QPointer<Uvod> splash = Forms::find<Uvod>();
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->Timer1->interval(), 5000);
        QVERIFY(splash->Timer1->isActive());
        // A short interval, so that a tick that should never come would come during the test.
        splash->Timer1->setInterval(100);
        QTest::keyClick(splash, Qt::Key_A);
        Welcome* welcome = Forms::find<Welcome>();
        QVERIFY(welcome && welcome->isVisible());
        QVERIFY(!Forms::find<Uvod>());
        QTRY_VERIFY(splash.isNull());
        // The pupil signs in (here: the form goes); the splash's timer must not bring it back.
        Forms::unload(welcome);
        QTest::qWait(300);
        QVERIFY(!Forms::find<Welcome>());
    }

    void timerOpensWelcome() {
        Navigation::start();
        Uvod* splash = Forms::find<Uvod>();
        splash->Timer1->setInterval(50);
        QTRY_VERIFY(Forms::find<Welcome>() && Forms::find<Welcome>()->isVisible());
        QVERIFY(!Forms::find<Uvod>());
    }

    void clickOnLabelDoesNothingClickOnBackgroundCloses() {
        Navigation::start();
        Uvod* splash = Forms::find<Uvod>();
        QTest::mouseClick(splash->Label3, Qt::LeftButton);
        QTest::mouseClick(splash, Qt::LeftButton, {}, splash->Label3->geometry().center());
        QVERIFY(!Forms::find<Welcome>());
        QTest::mouseClick(splash, Qt::RightButton, {}, QPoint(5, splash->height() - 5));
        QVERIFY(Forms::find<Welcome>());
    }

    void welcomeWithoutDatabase_data() {
        QTest::addColumn<bool>("configured");
        QTest::newRow("no configuration") << false;
        QTest::newRow("configured file missing") << true;
    }
    void welcomeWithoutDatabase() {
        QFETCH(bool, configured);
        if (configured)
            school->configure();
        Welcome& w = Forms::get<Welcome>();
        QVERIFY(!w.conn[0]->isEnabled());
        QVERIFY(w.conn[1]->isChecked());
        QVERIFY(!w.Users->isEnabled() && !w.lblUsers->isEnabled());
        QVERIFY(w.Jm->isEnabled() && w.Tr->isEnabled() && w.lblJm->isEnabled() && w.lblTr->isEnabled());
        QVERIFY(TestSupport::questionsAsked.isEmpty());
    }

    void welcomeListsProfiles() {
        school->createDatabase({{"Svoboda", "3A"}, {"Novák", "2B"}, {"Černá", "1C"}});
        Welcome& w = Forms::get<Welcome>();
        QVERIFY(w.conn[0]->isEnabled() && w.conn[0]->isChecked());
        QVERIFY(w.Users->isEnabled() && !w.Jm->isEnabled() && !w.Tr->isEnabled());
        QCOMPARE(w.Users->count(), 3);
        QCOMPARE(w.Users->itemText(0), QStringLiteral("Svoboda; 3A"));
        QCOMPARE(w.Users->itemText(2), QStringLiteral("Černá; 1C"));
        QCOMPARE(w.Users->currentIndex(), -1);
        QCOMPARE(w.Jm->maxLength(), 50);
        QCOMPARE(w.Tr->maxLength(), 10);
    }

    void unreadableDatabaseFallsBackToEmail() {
        school->createGarbage();
        Welcome& w = Forms::get<Welcome>();
        QCOMPARE(TestSupport::questionsAsked.size(), 1);
        QVERIFY(!w.conn[0]->isEnabled());
        QVERIFY(w.conn[1]->isChecked());
        QVERIFY(w.Jm->isEnabled());
        QCOMPARE(w.Users->count(), 0);
    }

    void profileParsing_data() {
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
        QTest::newRow("blank kept inside the class") << "Novák;  2 B "
                                                     << "Novák"
                                                     << "2 B ";
        QTest::newRow("empty class") << "Novák; "
                                     << "Novák"
                                     << "";
        QTest::newRow("no semicolon") << "Novák"
                                      << "Novák"
                                      << "";
    }
    void profileParsing() {
        QFETCH(QString, item);
        QFETCH(QString, surname);
        QFETCH(QString, className);
        const ProfileItem p = ProfileItem::parse(item);
        QCOMPARE(p.surname, surname);
        QCOMPARE(p.className, className);
    }

    void schoolSignInFillsRunState() {
        school->createDatabase({{"Svoboda", "3A"}, {"Nová;k", "   2B"}});
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        w.Users->setCurrentIndex(1);
        QTest::keyClick(&w, Qt::Key_Return);
        QVERIFY(!runState.emailMode);
        QCOMPARE(runState.profileSurname, QStringLiteral("Nová"));
        QCOMPARE(runState.profileClass, QStringLiteral("2B"));
        QCOMPARE(runState.signInTime, (9 * 3600 + 26 * 60 + 53) / 86400.0);
        QVERIFY(runState.pupilName.isEmpty());
        QVERIFY(!Forms::find<Welcome>());
        QVERIFY(Forms::find<Help>() && Forms::find<Help>()->isVisible());
    }

    void emailSignInFillsRunState() {
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        typeText(w.Jm, QStringLiteral("Jiří Dvořák"));
        typeText(w.Tr, QStringLiteral("4.B"));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QVERIFY(runState.emailMode);
        QCOMPARE(runState.pupilName, QStringLiteral("Jiří Dvořák"));
        QCOMPARE(runState.pupilClass, QStringLiteral("4.B"));
        QCOMPARE(fromOleDate(runState.signInDateTime), System::now());
        QVERIFY(Forms::find<Help>());
    }

    void okWithoutProfileOnlyBeeps() {
        school->createDatabase({{"Novák", "2B"}});
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(TestSupport::beeps, 1);
        QCOMPARE(Forms::find<Welcome>(), &w);
        QVERIFY(w.isVisible() && w.conn[0]->isChecked());
        QVERIFY(!Forms::find<Help>());
        QVERIFY(runState.profileSurname.isEmpty());
    }

    void switchingOptionsKeepsEntries() {
        school->createDatabase({{"Novák", "2B"}, {"Svoboda", "3A"}});
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        w.Users->setCurrentIndex(1);
        QTest::mouseClick(w.conn[1], Qt::LeftButton);
        QVERIFY(w.Jm->isEnabled() && !w.Users->isEnabled());
        typeText(w.Jm, QStringLiteral("Šťastný"));
        typeText(w.Tr, QStringLiteral("1.A"));
        QTest::mouseClick(w.conn[0], Qt::LeftButton);
        QVERIFY(!w.Jm->isEnabled() && !w.lblTr->isEnabled() && w.Users->isEnabled());
        QCOMPARE(w.Users->currentIndex(), 1);
        QCOMPARE(w.Jm->text(), QStringLiteral("Šťastný"));
        QTest::mouseClick(w.conn[1], Qt::LeftButton);
        QCOMPARE(w.Tr->text(), QStringLiteral("1.A"));
        QCOMPARE(w.Users->currentIndex(), 1);
    }

    void cancelEndsProgram() {
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QCOMPARE(TestSupport::endRequests, 1);
    }

    void closingWelcomeByItsFrameEndsTheProgram() {
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        w.close();
        QTRY_COMPARE(TestSupport::endRequests, 1);
    }

    void everyControlHasACzechAccessibleName() {
        Data_a_promene::runState.emailMode = true;
        const QList<Form*> forms = {&Forms::get<Uvod>(), &Forms::get<Welcome>(), &Forms::get<Help>(),
                                    &Forms::get<info>(), &Forms::get<Souhrn>(),  &Forms::get<GenList>()};
        for (Form* form : forms) {
            for (QWidget* control : form->findChildren<QWidget*>()) {
                // Named widgets are the form's controls; the rest are parts of them.
                if (control->objectName().isEmpty() ||
                    control->objectName().startsWith(QLatin1String("qt_")) ||
                    qobject_cast<QFrame*>(control) &&
                        static_cast<QFrame*>(control)->frameShape() == QFrame::HLine)
                    continue;
                QVERIFY2(!control->accessibleName().isEmpty() &&
                             !control->accessibleName().contains(QLatin1Char('&')),
                         qPrintable(form->objectName() + QLatin1Char('.') + control->objectName()));
            }
        }
    }

    void aboutIsModalAndKeepsChoices() {
        QList<QUrl> opened;
        System::openUrl = [&opened](const QUrl& url) { opened << url; };
        school->createDatabase({{"Novák", "2B"}, {"Svoboda", "3A"}});
        Welcome& w = Forms::get<Welcome>();
        w.showModeless();
        w.Users->setCurrentIndex(1);
        QString seen;
        bool modal = false;
        TestSupport::onNextModal([&](QWidget* top) {
            auto* about = qobject_cast<info*>(top);
            if (!about) {
                top->hide();
                return;
            }
            seen = about->windowTitle();
            modal = about->isModal();
            QTest::mouseClick(about->Label1, Qt::LeftButton);
            QTest::keyClick(about->Label6, Qt::Key_Space);
            QTest::mouseClick(about->Command1, Qt::LeftButton);
        });
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("Informace"));
        QVERIFY(modal);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.at(0), QUrl(QStringLiteral("mailto:") + QLatin1String(info::firstAddress)));
        QCOMPARE(opened.at(1), QUrl(QStringLiteral("mailto:") + QLatin1String(info::secondAddress)));
        QTRY_VERIFY(!Forms::find<info>());
        QCOMPARE(Forms::find<Welcome>(), &w);
        QVERIFY(w.conn[0]->isChecked());
        QCOMPARE(w.Users->currentIndex(), 1);
    }

    void helpTextLayout() {
        const QString text = HelpText::text();
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("Nápověda ke kvizmatu komplexních čísel"));
        QCOMPARE(lines.at(1), QString(39, QLatin1Char('=')));
        for (const QString& line : lines)
            QVERIFY2(line.size() <= 44 && !line.endsWith(QLatin1Char(' ')), qPrintable(line));
        const QStringList headings = {QStringLiteral("1. Dialog - vypočtení komplexního čísla"),
                                      QStringLiteral("2. Dialog - zadání vektoru komplexního"),
                                      QStringLiteral("3. Dialog - určení sinusového průběhu s")};
        for (const QString& heading : headings) {
            const qsizetype at = lines.indexOf(heading);
            QVERIFY2(at >= 3, qPrintable(heading));
            // Two empty lines before a section, a lone line before them.
            QVERIFY(lines.at(at - 1).isEmpty() && lines.at(at - 2).isEmpty() && !lines.at(at - 3).isEmpty());
        }
        QCOMPARE(lines.at(lines.indexOf(headings[1]) + 1), QStringLiteral("čísla"));
        QCOMPARE(lines.at(lines.indexOf(headings[2]) + 1), QStringLiteral("fázovým posunem"));
        QVERIFY(lines.at(lines.indexOf(headings[0]) + 1).startsWith(QLatin1Char('\t')));
        QVERIFY(text.contains(QStringLiteral("0,5%")));
        QVERIFY(lines.last().endsWith(QLatin1Char('.')));
        // The closing paragraph stands apart after the third section.
        qsizetype closing = lines.size() - 1;
        while (!lines.at(closing).startsWith(QLatin1Char('\t')))
            --closing;
        QVERIFY(closing > lines.indexOf(headings[2]));
        QVERIFY(lines.at(closing - 1).isEmpty() && lines.at(closing - 2).isEmpty());
    }

    void helpEnterAndEscLeadIntoFirstExample_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onText");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter in the text") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc in the text") << int(Qt::Key_Escape) << true;
    }
    void helpEnterAndEscLeadIntoFirstExample() {
        QFETCH(int, key);
        QFETCH(bool, onText);
        Help& help = Forms::get<Help>();
        help.showModeless();
        QCOMPARE(help.Text1->toPlainText(),
                 HelpText::text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(help.Text1->isReadOnly());
        QWidget* target = onText ? static_cast<QWidget*>(help.Text1) : static_cast<QWidget*>(&help);
        QTest::keyClick(target, Qt::Key(key));
        QTRY_VERIFY(!Forms::find<Help>());
        Krok1* step1 = Forms::find<Krok1>();
        QVERIFY(step1 && step1->isVisible());
        QVERIFY(step1->answers().re.isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
