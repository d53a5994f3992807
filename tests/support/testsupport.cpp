#include "support/testsupport.h"

#include "app/exerciseflow.h"
#include "core/judging.h"
#include "core/planemapping.h"
#include "core/sinusoidscale.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/forms/system.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

namespace TestSupport {

int beeps = 0;
int endRequests = 0;
QList<QMessageBox::StandardButton> questionAnswers;
QList<QString> questionsAsked;
static QList<float> nextExampleValues;

RandomSource scripted(QList<float> values)
{
    auto next = std::make_shared<qsizetype>(0);
    return [values, next] { return values.isEmpty() ? 0.0f : values.at(qMin((*next)++, values.size() - 1)); };
}

void scriptNextExample(QList<float> values)
{
    nextExampleValues = std::move(values);
}

void resetProgram()
{
    // No configuration, so no school database, unless a test writes one; Czech number formats.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath("user")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config.filePath("system")));
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    Forms::unloadAll();
    QApplication::processEvents();
    System::useRealPlatform();
    ExerciseFlow::install();
    beeps = 0;
    endRequests = 0;
    questionAnswers.clear();
    questionsAsked.clear();
    nextExampleValues.clear();
    System::beep = [] { ++beeps; };
    System::endProgram = [] { ++endRequests; };
    System::now = [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); };
    System::newRandomSource = [] {
        const QList<float> values = std::exchange(nextExampleValues, {});
        return scripted(values.isEmpty() ? exampleDraws(1, 100, 200, 300, -400) : values);
    };
    System::question = [](QWidget*, const QString&, const QString& text, QMessageBox::StandardButton) {
        questionsAsked << text;
        return questionAnswers.isEmpty() ? QMessageBox::Yes : questionAnswers.takeFirst();
    };
    System::message = [](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                         QMessageBox::StandardButtons) {
        questionsAsked << text;
        return questionAnswers.isEmpty() ? QMessageBox::Ok : questionAnswers.takeFirst();
    };
    System::setClipboardText = [](const QString&) {};
    System::openUrl = [](const QUrl&) {};
    System::userName = [] { return QStringLiteral("zak"); };
}

float drawFor(int n, float span, float offset)
{
    // The middle of the interval of r that floors to n keeps clear of rounding at its ends.
    return (float(n) + offset + 0.5f) / span;
}

QList<float> exampleDraws(int op, int a1, int b1, int a2, int b2)
{
    const float span = op >= 3 ? 200 : 2000;
    QList<float> draws{(float(op) - 0.5f) / 4.0f};
    for (int n : {a1, b1, a2, b2})
        draws << drawFor(n, span, span / 2);
    return draws;
}

void workExample(const Work& w)
{
    const float resultRe = ExerciseFlow::run().example.resultRe;
    const float resultIm = ExerciseFlow::run().example.resultIm;
    Krok1* step1 = active<Krok1>();
    QVERIFY(step1);
    QCOMPARE(QApplication::focusWidget(), child(step1, "vys_0"));
    for (const QString& entry : w.step1) {
        Pupil::type(entry);
        Pupil::press(Qt::Key_Tab);
    }
    Pupil::press(Qt::Key_Return);

    krok2* step2 = active<krok2>();
    QVERIFY(step2);
    auto* graf = child<PictureBox>(step2, "Graf");
    const PlaneMapping& plane = ExerciseFlow::run().plane;
    const QPointF end(std::round(plane.toPixelX(resultRe)), std::round(plane.toPixelY(resultIm)));
    if (w.vector) {
        Pupil::click(graf, {186, 186});
        Pupil::hover(graf, end);
        Pupil::click(graf, end);
    }
    Pupil::press(Qt::Key_Return);

    Krok3* step3 = active<Krok3>();
    QVERIFY(step3);
    auto* pb = child<PictureBox>(step3, "pb");
    const SinusoidScale& scale = ExerciseFlow::run().sinusoid;
    const float zero = scale.zeroLine();
    const double r = std::hypot(double(resultRe), double(resultIm));
    const int amplitude = std::min(int(std::lround(r / scale.axisMax() * scale.fullScale())), int(scale.fullScale()));
    const int phase = int(std::lround(Judging::GetFI(resultRe, resultIm) / 360.0 * SinusoidScale::Period));
    if (w.sinusoid) {
        Pupil::drag(pb, {100, zero}, {100, zero - amplitude});
        if (w.phase)
            Pupil::drag(pb, {242, 60},
                        {242.0 - (phase > SinusoidScale::Period / 2 ? phase - SinusoidScale::Period : phase), 60});
    }
    Pupil::press(Qt::Key_Return);
}

} // namespace TestSupport
