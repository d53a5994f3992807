// Whole runs as a pupil makes them, from the splash to the end of the program, driven only by keys
// and the mouse on the real forms. The machine (clock, random draws, clipboard, save dialog, end of
// the program) is scripted; the school database is a real SQLite file made by the teacher's tool.

#include "app/dobry.h"
#include "app/forms.h"
#include "app/help.h"
#include "app/navigation.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "core/judging.h"
#include "core/scales.h"
#include "e2e/modalscript.h"
#include "e2e/pupil.h"
#include "feedback/spatny.h"
#include "platform/system.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using TestSupport::drawFor;

// A helper's failed check ends the test function too.
#define PUPIL(...)                                                                                                     \
    do {                                                                                                               \
        __VA_ARGS__;                                                                                                   \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

namespace {

// 25 / (3 - 4i) = 3 + 4i
const QList<float> quotient = {0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100), drawFor(3, 200, 100),
                               drawFor(-4, 200, 100)};
// (100 + 200i) + (300 - 400i) = 400 - 200i
const QList<float> sum = {0.1f, drawFor(100, 2000, 1000), drawFor(200, 2000, 1000), drawFor(300, 2000, 1000),
                          drawFor(-400, 2000, 1000)};
// (-7 + 2i) * (1 + 1i) = -9 - 5i
const QList<float> product = {0.6f, drawFor(-7, 200, 100), drawFor(2, 200, 100), drawFor(1, 200, 100),
                              drawFor(1, 200, 100)};

enum class Drawing { Untouched, Mouse, Keys };

// One example as the pupil works it: the four entries of step 1, how the vector and the sinusoid are
// drawn (at the right place, read off the scales the pupil sees), and whether the sinusoid's phase is
// set at all.
struct Work {
    QStringList step1;
    Drawing vector = Drawing::Mouse;
    Drawing sinusoid = Drawing::Mouse;
    bool phase = true;
};

template <class F> F* shown()
{
    F* form = Forms::find<F>();
    return form && form->isVisible() ? form : nullptr;
}

// Presses a key with Shift for the tens of `pixels` and without for the ones.
void stepKeys(int pixels, Qt::Key forward, Qt::Key backward)
{
    const Qt::Key key = pixels < 0 ? backward : forward;
    pixels = std::abs(pixels);
    Pupil::press(key, Qt::ShiftModifier, pixels / 10);
    Pupil::press(key, Qt::NoModifier, pixels % 10);
}

bool tabTo(QWidget* target)
{
    for (int i = 0; i < 8 && !target->hasFocus(); ++i)
        Pupil::press(Qt::Key_Tab);
    return target->hasFocus();
}

} // namespace

class TestClassroom : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<ModalScript> modals;
    QDateTime clock;
    QString clipboard;
    QStringList saveDialogs;
    QString saveAnswer;
    QStringList summary;

    QString tool() const { return qEnvironmentVariable("KVIZMAT_BUILD_DIR") + QStringLiteral("/tools/kvizmat-ucitel"); }
    QString databasePath() const { return dir.filePath(QStringLiteral("skola/zaci.db")); }

    // The teacher's tool as the teacher runs it; its standard output.
    QString teacher(const QStringList& arguments)
    {
        QProcess p;
        p.start(tool(), arguments);
        if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            qWarning() << arguments << p.readAllStandardError();
            return QStringLiteral("FAILED");
        }
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    void configure()
    {
        QDir(dir.path()).mkpath(QStringLiteral("config/kvizmat"));
        QFile conf(dir.filePath(QStringLiteral("config/kvizmat/kvizmat.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        conf.write("[database]\npath=" + QFile::encodeName(databasePath()) + "\n");
    }

    QList<QVariantList> select(const QString& sql)
    {
        QList<QVariantList> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("classroom"));
            db.setDatabaseName(databasePath());
            if (db.open()) {
                QSqlQuery q(sql, db);
                while (q.next()) {
                    QVariantList row;
                    for (int i = 0; i < q.record().count(); ++i)
                        row << q.value(i);
                    rows << row;
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("classroom"));
        return rows;
    }

    // The program's start: a key closes the splash.
    Welcome* start()
    {
        Navigation::start();
        Uvod* uvod = shown<Uvod>();
        if (!uvod || !QTest::qWaitForWindowActive(uvod))
            return nullptr;
        Pupil::press(Qt::Key_Space);
        Welcome* welcome = shown<Welcome>();
        return welcome && QTest::qWaitForWindowActive(welcome) ? welcome : nullptr;
    }

    // After the sign-in: Enter on the help leads into the first example.
    void readHelp()
    {
        QVERIFY(shown<Help>());
        QVERIFY(QTest::qWaitForWindowActive(shown<Help>()));
        Pupil::press(Qt::Key_Return);
        QVERIFY(shown<Krok1>());
        QVERIFY(QTest::qWaitForWindowActive(shown<Krok1>()));
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
        QCOMPARE(step1->answers().fi, w.step1.value(3));
        Pupil::press(Qt::Key_Return);

        krok2* step2 = shown<krok2>();
        QVERIFY(step2);
        QVERIFY(QTest::qWaitForWindowActive(step2));
        PictureBox* graf = step2->Graf;
        const float limit = Data_a_promene::axisLimit;
        const QPointF end(std::round(Scales::planeX(Data_a_promene::resultRe, graf->ScaleWidth(), limit)),
                          std::round(Scales::planeY(Data_a_promene::resultIm, graf->ScaleHeight(), limit)));
        if (w.vector == Drawing::Mouse) {
            Pupil::click(graf, {186, 186});
            for (int i = 1; i <= 5; ++i)
                Pupil::hover(graf, QPointF(186, 186) + (end - QPointF(186, 186)) * (i / 5.0));
            Pupil::click(graf, end);
        } else if (w.vector == Drawing::Keys) {
            QVERIFY(tabTo(graf));
            Pupil::press(Qt::Key_Space);
            stepKeys(int(end.x() - step2->vectorEndX), Qt::Key_Right, Qt::Key_Left);
            stepKeys(int(end.y() - step2->vectorEndY), Qt::Key_Down, Qt::Key_Up);
            Pupil::press(Qt::Key_Space);
        }
        if (w.vector != Drawing::Untouched) {
            QCOMPARE(QPointF(step2->vectorEndX, step2->vectorEndY), end);
            QCOMPARE(step2->vectorFollowing, qint16(0));
        }
        Pupil::press(Qt::Key_Return);

        Krok3* step3 = shown<Krok3>();
        QVERIFY(step3);
        QVERIFY(QTest::qWaitForWindowActive(step3));
        PictureBox* pb = step3->pb;
        // The amplitude the pupil reads off the axis (|z| against axisMax at the top tick), and the
        // phase shift at 200 px a period.
        const float zero = pb->ScaleHeight() / 2, fullScale = zero - 30;
        const double r = std::hypot(double(Data_a_promene::resultRe), double(Data_a_promene::resultIm));
        const int amplitude = std::min(int(std::lround(r / step3->axisMax * fullScale)), int(fullScale));
        const int phase =
            int(std::lround(Judging::GetFI(Data_a_promene::resultRe, Data_a_promene::resultIm) / 360.0 * 200));
        // A shift beyond half a period is made the short way, to the right, and comes out normalised.
        const int shiftLeft = phase > 100 ? phase - 200 : phase;
        if (w.sinusoid == Drawing::Mouse) {
            Pupil::drag(pb, {100, zero}, {100, zero - amplitude});
            if (w.phase)
                Pupil::drag(pb, {242, 60}, {242.0 - shiftLeft, 60});
        } else if (w.sinusoid == Drawing::Keys) {
            QVERIFY(tabTo(pb));
            stepKeys(amplitude - step3->amplitude, Qt::Key_Up, Qt::Key_Down);
            if (w.phase)
                stepKeys(shiftLeft, Qt::Key_Left, Qt::Key_Right);
        }
        if (w.sinusoid != Drawing::Untouched) {
            QCOMPARE(step3->amplitude, qint16(amplitude));
            QCOMPARE(step3->phaseShift, w.phase ? float(phase) : 0.0f);
        }
        modals->expect(QStringLiteral("Jseš si svými výsledky opravdu jist?"),
                       [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        Pupil::press(Qt::Key_Return);
        QTRY_VERIFY(shown<Dobry>() || shown<Spatny>());
        QVERIFY(QTest::qWaitForWindowActive(shown<Dobry>() ? static_cast<QWidget*>(shown<Dobry>())
                                                           : static_cast<QWidget*>(shown<Spatny>())));
    }

    // "&Pokračovat" by its access key, on Dobry or Spatny, into the next example.
    void goOn(const QList<float>& next)
    {
        TestSupport::scriptNextExample(next);
        Pupil::press(Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(shown<Krok1>());
        QVERIFY(QTest::qWaitForWindowActive(shown<Krok1>()));
    }

    // "&Konec", "&Ano" on the confirmation, the summary read and left with "&OK".
    void endRun(ModalScript::Action afterSummary = {})
    {
        modals->expect(QStringLiteral("Konec"), [](QWidget*) { Pupil::press(Qt::Key_A, Qt::AltModifier); });
        modals->expect(QStringLiteral("Souhrn"), [this](QWidget* w) {
            auto* s = static_cast<Souhrn*>(w);
            for (QLabel* l : {s->Dnes[0], s->Dnes[1], s->Dnes[2], s->Celk[0], s->Celk[1], s->Celk[2], s->dilcichDobre,
                              s->dilcichSpatne})
                summary << l->text();
            Pupil::press(Qt::Key_O, Qt::AltModifier);
        });
        if (afterSummary)
            modals->expect(QStringLiteral("GenList"), afterSummary);
        Pupil::press(Qt::Key_K, Qt::AltModifier);
        QTRY_COMPARE(TestSupport::endRequests, 1);
        QCOMPARE(modals->pending(), QStringList());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY2(QFileInfo(tool()).isExecutable(), qPrintable(tool()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("nowhere"))));
        configure();
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
        clipboard.clear();
        saveDialogs.clear();
        summary.clear();
        System::setClipboardText = [this](const QString& text) { clipboard = text; };
        System::saveFileName = [this](QWidget*, const QString& title, const QString& proposed, const QString&,
                                      const QString&) {
            saveDialogs << title + QStringLiteral(" | ") + proposed;
            return saveAnswer;
        };
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
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QStringLiteral(", "))));
    }

    void schoolRunIsRecordedInTheDatabase()
    {
        QDir().mkpath(QFileInfo(databasePath()).absolutePath());
        QVERIFY(teacher({QStringLiteral("zalozit"), databasePath()}).startsWith(QStringLiteral("Založena")));
        QFile csv(dir.filePath(QStringLiteral("zaci.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly | QIODevice::Truncate));
        csv.write("Svoboda;3.A\nNovák;2.B\nDvořáková;2.B\n");
        csv.close();
        QVERIFY(
            teacher({QStringLiteral("zaci"), databasePath(), csv.fileName()}).startsWith(QStringLiteral("Zapsáno")));
        // Earlier runs: two of this pupil (one in the class he came from), one of another program of
        // the family, one of another pupil.
        select(QStringLiteral("INSERT INTO Prehled (Prijmeni, Trida, Spravne, Chybne, TypZkous) VALUES "
                              "('Novák', '2.B', 4, 1, 3), ('Novák', '1.A', 2, 2, 3), ('Novák', '2.B', 9, 9, 5), "
                              "('Svoboda', '3.A', 7, 0, 3)"));
        QCOMPARE(select(QStringLiteral("SELECT COUNT(*) FROM Prehled")), QList<QVariantList>{{4}});

        Welcome* welcome = start();
        QVERIFY(welcome);
        QVERIFY(welcome->conn[0]->isChecked() && welcome->conn[0]->isEnabled());
        Pupil::press(Qt::Key_V, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), welcome->Users);
        Pupil::press(Qt::Key_Down, Qt::NoModifier, 2);
        QCOMPARE(welcome->Users->currentText(), QStringLiteral("Novák; 2.B"));
        Pupil::press(Qt::Key_Return);
        TestSupport::scriptNextExample(quotient);
        PUPIL(readHelp());

        PUPIL(work({{"3", "4", "5", "53,13"}})); // all right
        QVERIFY(shown<Dobry>());
        PUPIL(goOn(sum));
        PUPIL(work({{"400", "-200", "447,2", "30"}})); // the angle wrong
        QVERIFY(shown<Spatny>());
        QCOMPARE(Spatny::foreColor(shown<Spatny>()->uhFi), Colors::Red);
        QVERIFY(!shown<Spatny>()->vek->font().bold() && !shown<Spatny>()->Sinusak->font().bold());
        PUPIL(goOn(product));
        PUPIL(work({{"-9", "-5", "10,3", "209,05"}, Drawing::Mouse, Drawing::Mouse, false})); // no phase shift
        QVERIFY(shown<Spatny>());
        QVERIFY(!shown<Spatny>()->vek->font().bold() && shown<Spatny>()->Sinusak->font().bold());

        clock = QDateTime(QDate(2026, 3, 14), QTime(10, 2, 10));
        PUPIL(endRun());
        QCOMPARE(summary, QStringList({" 3 příklady", " 1 příklad", " 2 příklady", " 12 příkladů", " 7 příkladů",
                                       " 5 příkladů", " 7 příkladů", " 2 příklady"}));
        QCOMPARE(TestSupport::questionsAsked, QStringList()); // no message but the three questions

        QCOMPARE(select(QStringLiteral("SELECT COUNT(*) FROM Prehled")), QList<QVariantList>{{5}});
        QCOMPARE(select(QStringLiteral("SELECT Prijmeni, Trida, Spravne, Chybne, CasStrt, CasEnd, Datum, "
                                       "Prihlasenjako, TypZkous FROM Prehled ORDER BY rowid DESC LIMIT 1")),
                 (QList<QVariantList>{{"Novák", "2.B", 1, 2, "09:26:53", "10:02:10", "2026-03-14", "zak", 3}}));
        const QList<QVariantList> totals = select(
            QStringLiteral("SELECT SUM(Spravne), SUM(Chybne) FROM Prehled WHERE Prijmeni = 'Novák' AND TypZkous = 3"));
        QCOMPARE(totals, (QList<QVariantList>{{7, 5}}));
        QCOMPARE(summary.mid(4, 2), (QStringList{QStringLiteral(" %1 příkladů").arg(totals[0][0].toInt()),
                                                 QStringLiteral(" %1 příkladů").arg(totals[0][1].toInt())}));
        QVERIFY(teacher({QStringLiteral("vysledky"), databasePath(), QStringLiteral("--trida"), QStringLiteral("2.B")})
                    .contains(QStringLiteral("Novák")));
    }

    void emailRunGivesTheTeacherTheReport()
    {
        Welcome* welcome = start();
        QVERIFY(welcome);
        // No school database here: only the e-mail sign-in, and no message about it.
        QVERIFY(!welcome->conn[0]->isEnabled() && welcome->conn[1]->isChecked());
        Pupil::press(Qt::Key_J, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), welcome->Jm);
        Pupil::type(QStringLiteral("Jiří Čermák"));
        Pupil::press(Qt::Key_Tab);
        Pupil::type(QStringLiteral("2.B"));
        QCOMPARE(welcome->Tr->text(), QStringLiteral("2.B"));
        Pupil::press(Qt::Key_Return);
        TestSupport::scriptNextExample(quotient);
        PUPIL(readHelp());

        PUPIL(work({{"3", "4", "5", "53,13"}, Drawing::Keys, Drawing::Keys})); // right, without the mouse
        QVERIFY(shown<Dobry>());
        PUPIL(goOn(sum));
        PUPIL(work({{"400", "-200", "447,2", "333,43"}, Drawing::Untouched})); // the vector forgotten
        QVERIFY(shown<Spatny>() && shown<Spatny>()->vek->font().bold());
        PUPIL(goOn(product));
        PUPIL(work({{"-9", "-5", "106", "209,05"}, Drawing::Mouse, Drawing::Untouched})); // |z|² and no sinusoid
        QVERIFY(shown<Spatny>() && shown<Spatny>()->Sinusak->font().bold());

        clock = QDateTime(QDate(2026, 3, 14), QTime(10, 2, 10));
        saveAnswer = dir.filePath(QStringLiteral("vysledky-cermak"));
        QFile::remove(saveAnswer + QStringLiteral(".txt"));
        QString shownBlock;
        PUPIL(endRun([&shownBlock](QWidget* w) {
            auto* g = static_cast<GenList*>(w);
            shownBlock = g->data->toPlainText();
            QTest::mouseClick(g->txtfile, Qt::LeftButton);
            QTest::mouseClick(g->clipbrd, Qt::LeftButton);
            QTest::mouseClick(g->final, Qt::LeftButton);
        }));
        QCOMPARE(summary, QStringList({" 3 příklady", " 1 příklad", " 2 příklady", "není k dispozici",
                                       "není k dispozici", "není k dispozici", " 6 příkladů", " 3 příklady"}));
        QCOMPARE(saveDialogs, QStringList{"Vyber umístění a jméno souboru | Vysledky"});
        QFile saved(saveAnswer + QStringLiteral(".txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString block = QString::fromUtf8(saved.readAll());
        QCOMPARE(clipboard, block);
        QCOMPARE(shownBlock, QString(block).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        QCOMPARE(teacher({QStringLiteral("dekodovat"), saved.fileName()}),
                 QStringLiteral("Student: Jiří Čermák\nTřída: 2.B\nKvizmat: 3 - Komplexní čísla\n"
                                "Od: 14.03.2026 09:26\nDo: 14.03.2026 10:02\nCelkem odpovědí: 3\n"
                                "Z toho dobře: 1 (33,33%)\nšpatně: 2 (66,67%)\n"
                                "dílčích úkolů dobře: 6 (66,67%)\ndílčích úkolů špatně: 3 (33,33%)\n"));
    }
};

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
