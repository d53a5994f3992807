#include "app/exerciseflow.h"

#include "app/help.h"
#include "app/info.h"
#include "app/konec.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/judging.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "core/scales.h"
#include "feedback/correctdrawings.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "store/schoolstore.h"
#include "store/waitindicator.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"
#include "ui/surface/surface.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLocale>

#include <cmath>
#include <optional>

namespace ExerciseFlow {

namespace {

Run current;

// A new example: Krok1 shows it, the results window goes, and the later steps prepare themselves for
// it while they are hidden (the plane's scale, the amplitude axis, the pictures drawn anew).
void newExample()
{
    const RandomSource random = System::newRandomSource();
    current.example = GenerateExample(random);
    const Example& example = current.example;
    Forms::get<Krok1>().showExample(example);
    Forms::get<Vysledky>().setVisible(false);

    krok2& step2 = Forms::get<krok2>();
    const Surface& plane = step2.drawing();
    current.plane =
        PlaneMapping(plane.ScaleWidth(), plane.ScaleHeight(), Scales::NajdiMeritk(example.resultRe, example.resultIm));
    step2.startExample(current.plane);

    Krok3& step3 = Forms::get<Krok3>();
    const double re = example.resultRe;
    const double im = example.resultIm;
    current.sinusoid = SinusoidScale(step3.drawing().ScaleHeight(), Scales::FindAxisMax(std::sqrt(re * re + im * im)));
    step3.startExample(current.sinusoid);
}

// A new example on Krok1, ready for the first entry.
void showNewExample()
{
    newExample();
    Krok1& step1 = Forms::get<Krok1>();
    step1.showModeless();
    step1.focusFirstEntry();
}

void toStep2()
{
    Krok1& step1 = Forms::get<Krok1>();
    step1.hide();
    Forms::get<Vysledky>().showAnswers(current.example, step1.answers());
    Forms::get<krok2>().showModeless();
}

void backToStep1()
{
    Forms::get<krok2>().hide();
    Forms::get<Vysledky>().setVisible(false);
    Forms::get<Krok1>().showModeless();
}

void toStep3()
{
    Forms::get<krok2>().hide();
    Forms::get<Krok3>().showModeless();
}

void backToStep2()
{
    Forms::get<Krok3>().hide();
    Forms::get<krok2>().showModeless();
}

// The review of a wrong example: the correct values, and the correct vector and sinusoid drawn in red
// over the pupil's pictures on the hidden step forms, once per review.
void showReview(Spatny& review)
{
    const Example& example = current.example;
    review.showExample(example);
    CorrectDrawings::DrawCorrectVector(Forms::get<krok2>().drawing(), example.resultRe, example.resultIm,
                                       current.plane.axisLimit());
    CorrectDrawings::DrawCorrectSinusoid(Forms::get<Krok3>().drawing(), example.resultRe, example.resultIm,
                                         current.sinusoid.axisMax());
    review.showModeless();
}

// "&Dokončit": after the pupil confirms, all three steps are judged at once, the marks set on the
// review, the example counted, then Dobry or the review.
void finishExample()
{
    Krok3& step3 = Forms::get<Krok3>();
    if (System::question(&step3, QStringLiteral("Dotaz"), QStringLiteral("Jseš si svými výsledky opravdu jist?"),
                         QMessageBox::Yes) != QMessageBox::Yes)
        return;
    step3.hide();

    Spatny& review = Forms::get<Spatny>();
    review.resetMarks();

    const Krok1::Answers typed = Forms::get<Krok1>().answers();
    const krok2& step2 = Forms::get<krok2>();
    const Judging::ExampleAnswers answers{.re = typed.re,
                                          .im = typed.im,
                                          .absh = typed.absh,
                                          .fi = typed.fi,
                                          .vectorEndX = step2.vectorEndX,
                                          .vectorEndY = step2.vectorEndY,
                                          .amplitude = step3.amplitude,
                                          .phaseShift = step3.phaseShift,
                                          .resultRe = current.example.resultRe,
                                          .resultIm = current.example.resultIm,
                                          .plane = current.plane,
                                          .sinusoid = current.sinusoid};
    const Judging::Verdict verdict = Judging::judgeExample(answers);
    review.setMarks(verdict);
    Judging::countExample(current.runState, verdict.errorCode);

    if (verdict.errorCode == 0)
        Forms::get<Dobry>().showModeless();
    else
        showReview(review);
}

// "&Pokračovat" on Dobry or on the review: the next example on Krok1; Dobry goes, the review stays
// loaded, hidden.
void nextExample(Form& verdict)
{
    showNewExample();
    if (qobject_cast<Dobry*>(&verdict))
        Forms::unload(&verdict);
    else
        verdict.hide();
}

// "&Vektor" and "&Sinus": the step form shown modally over the hidden review, with the correct drawing,
// its own caption and only `back`, the mouse ignored; `back` hides it and the review comes back.
void showCorrectDrawing(DrawingStep& step)
{
    Spatny& review = Forms::get<Spatny>();
    review.hide();
    step.enterReviewMode();
    current.correctDrawingMode = true;
    step.showModal();
    current.correctDrawingMode = false;
    step.leaveReviewMode();
    review.showModeless();
}

void signIn(Welcome& welcome, const RunState& signedIn)
{
    current.runState = signedIn;
    Forms::unload(&welcome);
    Forms::get<Help>().showModeless();
}

// The e-mail report of the run as it stands, ended at `end`.
void encodeForEmail(const QDateTime& end)
{
    const quint8 salt = ReportCipher::saltByteFrom(clockSeededSource()());
    current.encodedBlock = ReportCipher::EncodeText(buildReport(current.runState, end, QLocale()), salt);
}

// Writes the run at school and reads the pupil's totals; on a failure offers another try or the e-mail
// report. Nothing: e-mail it is.
std::optional<Souhrn::Totals> storeAtSchool(const QDateTime& end)
{
    // Drawn once for the run: a try after a commit whose confirmation was lost finds the run stored.
    const QString fingerprint = SchoolStore::newRunFingerprint();
    for (;;) {
        Souhrn::Totals totals;
        const SchoolStore::Failure failure = SchoolStore::storeResultsAndReadTotals(
            current.runState, end, System::userName(), totals.right, totals.wrong, fingerprint);
        if (!failure.failed)
            return totals;
        const QMessageBox::StandardButton answer = System::message(
            nullptr, QMessageBox::Warning, QStringLiteral("Výsledky se nepodařilo zapsat"),
            failure.message + QStringLiteral("\n\nTvé dnešní výsledky se neztratily.\n\n"
                                             "Ano – zkusit zápis do školní databáze znovu.\n"
                                             "Ne – místo zápisu vytvořit zprávu pro vyučujícího, kterou mu pošleš "
                                             "e-mailem."),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return std::nullopt;
    }
}

// A school run whose store failed becomes an e-mail run under the profile's surname and class.
void switchToEmailReport(const QDateTime& end)
{
    RunState& run = current.runState;
    run.emailMode = true;
    run.pupilName = run.profileSurname;
    run.pupilClass = run.profileClass;
    // The sign-in kept only the time of day; the run began today, or yesterday when it went past midnight.
    double start = toDayCount(QDateTime(end.date(), QTime(0, 0))) + run.signInTime;
    if (start > toDayCount(end))
        start -= 1;
    run.signInDateTime = start;
    encodeForEmail(end);
}

// "&OK" on the summary: the e-mail report's window in e-mail mode, otherwise the end.
void summaryConfirmed(Souhrn& summary)
{
    if (current.runState.emailMode) {
        Forms::unload(&summary);
        GenList& report = Forms::get<GenList>();
        report.showBlock(current.encodedBlock);
        report.showModal();
    } else {
        System::endProgram();
    }
}

void connectForm(Form& form)
{
    if (auto* splash = qobject_cast<Uvod*>(&form)) {
        QObject::connect(splash, &Uvod::finished, splash, [splash] {
            Forms::get<Welcome>().showModeless();
            Forms::unload(splash);
        });
    } else if (auto* welcome = qobject_cast<Welcome*>(&form)) {
        QObject::connect(welcome, &Welcome::signedIn, welcome,
                         [welcome](const RunState& signedIn) { signIn(*welcome, signedIn); });
        QObject::connect(welcome, &Welcome::aboutRequested, welcome, [] { Forms::get<info>().showModal(); });
    } else if (auto* help = qobject_cast<Help*>(&form)) {
        QObject::connect(help, &Help::continueRequested, help, [help] {
            Forms::unload(help);
            showNewExample();
        });
    } else if (auto* step1 = qobject_cast<Krok1*>(&form)) {
        QObject::connect(step1, &Krok1::forwardRequested, step1, toStep2);
    } else if (auto* step2 = qobject_cast<krok2*>(&form)) {
        QObject::connect(step2, &krok2::forwardRequested, step2, toStep3);
        QObject::connect(step2, &krok2::backRequested, step2, backToStep1);
    } else if (auto* step3 = qobject_cast<Krok3*>(&form)) {
        QObject::connect(step3, &Krok3::forwardRequested, step3, finishExample);
        QObject::connect(step3, &Krok3::backRequested, step3, backToStep2);
    } else if (auto* dobry = qobject_cast<Dobry*>(&form)) {
        QObject::connect(dobry, &Dobry::continueRequested, dobry, [dobry] { nextExample(*dobry); });
    } else if (auto* review = qobject_cast<Spatny*>(&form)) {
        QObject::connect(review, &Spatny::continueRequested, review, [review] { nextExample(*review); });
        QObject::connect(review, &Spatny::correctVectorRequested, review,
                         [] { showCorrectDrawing(Forms::get<krok2>()); });
        QObject::connect(review, &Spatny::correctSinusoidRequested, review,
                         [] { showCorrectDrawing(Forms::get<Krok3>()); });
    } else if (auto* confirmation = qobject_cast<Konec*>(&form)) {
        QObject::connect(confirmation, &Konec::endConfirmed, confirmation, [confirmation] {
            Forms::unload(confirmation);
            endRun();
        });
    } else if (auto* summary = qobject_cast<Souhrn*>(&form)) {
        QObject::connect(summary, &Souhrn::confirmed, summary, [summary] { summaryConfirmed(*summary); });
    }
}

} // namespace

void install()
{
    current = Run{};
    Form::endConfirmation = [] { Forms::get<Konec>().showModal(); };
    Forms::created = connectForm;
    WaitIndicator::hook = [](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    };
}

Run& run()
{
    return current;
}

void start()
{
    Forms::get<Uvod>().showModeless();
}

void firstExample()
{
    showNewExample();
}

Souhrn& summarise()
{
    const QDateTime end = System::now();
    std::optional<Souhrn::Totals> overall;
    if (current.runState.emailMode) {
        encodeForEmail(end);
    } else {
        overall = storeAtSchool(end);
        if (!overall)
            switchToEmailReport(end);
    }
    Souhrn& summary = Forms::get<Souhrn>();
    summary.showCounts(current.runState, overall);
    return summary;
}

void endRun()
{
    summarise().showModal();
}

} // namespace ExerciseFlow
