#include "app/exerciseflow.h"

#include "app/konec.h"
#include "app/uvod.h"
#include "core/data_a_promene.h"
#include "core/judging.h"
#include "feedback/correctdrawings.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "store/waitindicator.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"
#include "ui/surface/surface.h"

#include <QCursor>
#include <QGuiApplication>

namespace ExerciseFlow {

namespace {

// A new example: Krok1 draws it, the results window goes, and the later steps prepare themselves for
// it while they are hidden (the plane's scale, the amplitude axis, the pictures cleared).
void newExample()
{
    Forms::load<Krok1>();
    Forms::get<Vysledky>().setVisible(false);
    Forms::load<krok2>();
    Forms::load<Krok3>();
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
    Forms::get<Vysledky>().showAnswers(step1.example(), step1.answers());
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
    const float re = Data_a_promene::resultRe;
    const float im = Data_a_promene::resultIm;
    review.showExample(Forms::get<Krok1>().example());
    CorrectDrawings::DrawCorrectVector(Forms::get<krok2>().drawing(), re, im, Data_a_promene::axisLimit);
    Krok3& step3 = Forms::get<Krok3>();
    CorrectDrawings::DrawCorrectSinusoid(step3.drawing(), re, im, step3.axisMax);
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
    krok2& step2 = Forms::get<krok2>();
    Judging::ExampleAnswers answers;
    answers.re = typed.re;
    answers.im = typed.im;
    answers.absh = typed.absh;
    answers.fi = typed.fi;
    answers.vectorEndX = step2.vectorEndX;
    answers.vectorEndY = step2.vectorEndY;
    answers.grafWidth = step2.drawing().ScaleWidth();
    answers.grafHeight = step2.drawing().ScaleHeight();
    answers.axisLimit = Data_a_promene::axisLimit;
    answers.amplitude = step3.amplitude;
    answers.phaseShift = step3.phaseShift;
    answers.axisMax = step3.axisMax;
    answers.pbHeight = step3.drawing().ScaleHeight();
    answers.resultRe = Data_a_promene::resultRe;
    answers.resultIm = Data_a_promene::resultIm;

    const Judging::Verdict verdict = Judging::judgeExample(answers);
    review.setMarks(verdict);
    Judging::countExample(Data_a_promene::runState, verdict.errorCode);

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
template <class Step> void showCorrectDrawing(Step& step)
{
    Spatny& review = Forms::get<Spatny>();
    review.hide();
    step.enterReviewMode();
    Data_a_promene::correctDrawingMode = true;
    step.showModal();
    Data_a_promene::correctDrawingMode = false;
    step.leaveReviewMode();
    review.showModeless();
}

void connectForm(Form& form)
{
    if (auto* step1 = qobject_cast<Krok1*>(&form)) {
        QObject::connect(step1, &Krok1::forwardRequested, step1, toStep2);
    } else if (auto* step2 = qobject_cast<krok2*>(&form)) {
        QObject::connect(step2, &krok2::forwardRequested, step2, toStep3);
        QObject::connect(step2, &krok2::backRequested, step2, backToStep1);
    } else if (auto* step3 = qobject_cast<Krok3*>(&form)) {
        QObject::connect(step3, &Krok3::finishRequested, step3, finishExample);
        QObject::connect(step3, &Krok3::backRequested, step3, backToStep2);
    } else if (auto* dobry = qobject_cast<Dobry*>(&form)) {
        QObject::connect(dobry, &Dobry::continueRequested, dobry, [dobry] { nextExample(*dobry); });
    } else if (auto* review = qobject_cast<Spatny*>(&form)) {
        QObject::connect(review, &Spatny::continueRequested, review, [review] { nextExample(*review); });
        QObject::connect(review, &Spatny::correctVectorRequested, review,
                         [] { showCorrectDrawing(Forms::get<krok2>()); });
        QObject::connect(review, &Spatny::correctSinusoidRequested, review,
                         [] { showCorrectDrawing(Forms::get<Krok3>()); });
    }
}

} // namespace

void install()
{
    Form::endConfirmation = [] { Forms::get<Konec>().showModal(); };
    Forms::created = connectForm;
    WaitIndicator::hook = [](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    };
}

void start()
{
    Forms::get<Uvod>().showModeless();
}

void firstExample()
{
    showNewExample();
}

void endRun()
{
    Forms::get<Souhrn>().showModal();
}

} // namespace ExerciseFlow
