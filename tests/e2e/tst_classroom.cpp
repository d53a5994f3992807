// Whole runs from the splash to the end of the program, driven only by keys and the mouse; the school
// database is a real SQLite file made by the teacher's tool. PUPIL ends the test when a helper failed.

#include "app/help.h"
#include "app/navigation.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "core/judging.h"
#include "core/planemapping.h"
#include "e2e/modalscript.h"
#include "e2e/pupil.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/storefixture.h"
#include "support/testsupport.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using TestSupport::drawFor;

#define PUPIL(...)                                                                                                     \
    do {                                                                                                               \
        __VA_ARGS__;                                                                                                   \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

namespace {

// 25 / (3 - 4i) = 3 + 4i; (100 + 200i) + (300 - 400i) = 400 - 200i; (-7 + 2i) * (1 + 1i) = -9 - 5i
const QList<float> quotient = {0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100), drawFor(3, 200, 100),
                               drawFor(-4, 200, 100)};
const QList<float> sum = {0.1f, drawFor(100, 2000, 1000), drawFor(200, 2000, 1000), drawFor(300, 2000, 1000),
                          drawFor(-400, 2000, 1000)};
const QList<float> product = {0.6f, drawFor(-7, 200, 100), drawFor(2, 200, 100), drawFor(1, 200, 100),
                              drawFor(1, 200, 100)};

// The four entries of step 1, and whether the vector, the sinusoid and its phase shift are drawn right.
struct Work {
    QStringList step1;
    bool vector = true, sinusoid = true, phase = true;
};

template <class F> F* shown()
{
    F* form = Forms::find<F>();
    return form && form->isVisible() ? form : nullptr;
}

template <class F> F* active()
{
    F* form = shown<F>();
    return form && QTest::qWaitForWindowActive(form) ? form : nullptr;
}

} // namespace

class TestClassroom : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<ModalScript> modals;
    QDateTime clock;
    QStringList summary;

    QString databasePath() const { return dir.filePath("skola.db"); }
    QString teacher(const QStringList& arguments) { return StoreFixture::tool(arguments).out; }
    QList<QVariant> select(const QString& sql) { return StoreFixture::row(StoreConfig::fromPath(databasePath()), sql); }

    // The program's start: a key closes the splash.
    Welcome* start()
    {
        Navigation::start();
        if (!active<Uvod>())
            return nullptr;
        Pupil::press(Qt::Key_Space);
        return active<Welcome>();
    }

    // One example from Krok1 to the verdict; the question "Dotaz" is answered with Enter.
    void work(const Work& w)
    {
        Krok1* step1 = shown<Krok1>();
        QVERIFY(step1);
        QCOMPARE(QApplication::focusWidget(), step1->vys[0]);
        for (const QString& entry : w.step1) {
            Pupil::type(entry);
            Pupil::press(Qt::Key_Tab);
        }
        Pupil::press(Qt::Key_Return);

        krok2* step2 = active<krok2>();
        QVERIFY(step2);
        const PlaneMapping plane(step2->Graf->ScaleWidth(), step2->Graf->ScaleHeight(), Data_a_promene::axisLimit);
        const QPointF end(std::round(plane.toPixelX(Data_a_promene::resultRe)),
                          std::round(plane.toPixelY(Data_a_promene::resultIm)));
        if (w.vector) {
            Pupil::click(step2->Graf, {186, 186});
            Pupil::hover(step2->Graf, end);
            Pupil::click(step2->Graf, end);
        }
        Pupil::press(Qt::Key_Return);

        Krok3* step3 = active<Krok3>();
        QVERIFY(step3);
        // A phase shift beyond half a period is dragged the short way and comes out normalised.
        const float zero = step3->pb->ScaleHeight() / 2, fullScale = zero - 30;
        const double r = std::hypot(double(Data_a_promene::resultRe), double(Data_a_promene::resultIm));
        const int amplitude = std::min(int(std::lround(r / step3->axisMax * fullScale)), int(fullScale));
        const int phase =
            int(std::lround(Judging::GetFI(Data_a_promene::resultRe, Data_a_promene::resultIm) / 360.0 * 200));
        if (w.sinusoid) {
            Pupil::drag(step3->pb, {100, zero}, {100, zero - amplitude});
            if (w.phase)
                Pupil::drag(step3->pb, {242, 60}, {242.0 - (phase > 100 ? phase - 200 : phase), 60});
        }
        modals->expect("Jseš si svými výsledky opravdu jist?",
                       [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        Pupil::press(Qt::Key_Return);
        QTRY_VERIFY(active<Dobry>() || active<Spatny>());
    }

    // From the help (left with Enter) three examples, the first right, each left with "&Pokračovat".
    void threeExamples(const QList<Work>& works)
    {
        QVERIFY(active<Help>());
        const QList<QList<float>> examples = {quotient, sum, product};
        for (int i = 0; i < 3; ++i) {
            TestSupport::scriptNextExample(examples[i]);
            Pupil::press(i ? Qt::Key_P : Qt::Key_Return, i ? Qt::AltModifier : Qt::NoModifier);
            QTRY_VERIFY(active<Krok1>());
            PUPIL(work(works[i]));
            QVERIFY(i ? !!shown<Spatny>() : !!shown<Dobry>());
        }
    }

    // "&Konec", "&Ano" on the confirmation, the summary read and left with "&OK".
    void endRun(ModalScript::Action afterSummary = {})
    {
        clock = QDateTime(QDate(2026, 3, 14), QTime(10, 2, 10));
        modals->expect("Konec", [](QWidget*) { Pupil::press(Qt::Key_A, Qt::AltModifier); });
        modals->expect("Souhrn", [this](QWidget* w) {
            auto* s = static_cast<Souhrn*>(w);
            for (QLabel* l : {s->Dnes[0], s->Dnes[1], s->Dnes[2], s->Celk[0], s->Celk[1], s->Celk[2], s->dilcichDobre,
                              s->dilcichSpatne})
                summary << l->text();
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
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.filePath("nowhere")));
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
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        QFile::remove(databasePath());
    }

    void cleanup()
    {
        const QStringList unexpected = modals->unexpected();
        modals.reset();
        Forms::unloadAll();
        QApplication::processEvents();
        QLocale::setDefault(QLocale::system());
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
        QTRY_COMPARE(QApplication::focusWidget(), welcome->Users);
        Pupil::press(Qt::Key_Down, Qt::NoModifier, 2);
        QCOMPARE(welcome->Users->currentText(), "Novák; 2.B");
        Pupil::press(Qt::Key_Return);
        PUPIL(threeExamples({{{"3", "4", "5", "53,13"}},
                             {{"400", "-200", "447,2", "30"}},
                             {{"-9", "-5", "10,3", "209,05"}, true, true, false}}));
        PUPIL(endRun());
        QCOMPARE(summary, QStringList({" 3 příklady", " 1 příklad", " 2 příklady", " 12 příkladů", " 7 příkladů",
                                       " 5 příkladů", " 7 příkladů", " 2 příklady"}));
        QCOMPARE(select("SELECT Prijmeni, Trida, Spravne, Chybne, CasStrt, CasEnd, Datum, Prihlasenjako, TypZkous "
                        "FROM Prehled ORDER BY rowid DESC LIMIT 1"),
                 (QVariantList{"Novák", "2.B", 1, 2, "09:26:53", "10:02:10", "2026-03-14", "zak", 3}));
        QCOMPARE(select("SELECT COUNT(*), SUM(Spravne), SUM(Chybne) FROM Prehled WHERE Prijmeni = 'Novák' AND "
                        "TypZkous = 3"),
                 (QVariantList{3, 7, 5}));
    }

    // One right, then the vector forgotten, then |z|² and no sinusoid.
    void emailRunGivesTheTeacherTheReport()
    {
        Welcome* welcome = start();
        QVERIFY(welcome);
        Pupil::press(Qt::Key_J, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), welcome->Jm);
        Pupil::type("Jiří Čermák");
        Pupil::press(Qt::Key_Tab);
        Pupil::type("2.B");
        Pupil::press(Qt::Key_Return);
        PUPIL(threeExamples({{{"3", "4", "5", "53,13"}},
                             {{"400", "-200", "447,2", "333,43"}, false},
                             {{"-9", "-5", "106", "209,05"}, true, false}}));
        PUPIL(endRun([](QWidget* w) {
            QTest::mouseClick(static_cast<GenList*>(w)->txtfile, Qt::LeftButton);
            QTest::mouseClick(static_cast<GenList*>(w)->final, Qt::LeftButton);
        }));
        QCOMPARE(teacher({"dekodovat", dir.filePath("vysledky-cermak.txt")}),
                 "Student: Jiří Čermák\nTřída: 2.B\nKvizmat: 3 - Komplexní čísla\nOd: 14.03.2026 09:26\n"
                 "Do: 14.03.2026 10:02\nCelkem odpovědí: 3\nZ toho dobře: 1 (33,33%)\nšpatně: 2 (66,67%)\n"
                 "dílčích úkolů dobře: 6 (66,67%)\ndílčích úkolů špatně: 3 (33,33%)\n");
    }
};

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
