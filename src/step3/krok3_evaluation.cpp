#include "step3/krok3.h"

#include "core/data_a_promene.h"
#include "core/judging.h"
#include "core/planemapping.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "ui/forms/forms.h"
#include "ui/forms/system.h"
#include "ui/surface/picturebox.h"

bool Krok3::Compar(float value, float correct, float tolerancePercent)
{
    return Judging::Compar(value, correct, tolerancePercent);
}

float Krok3::GetFI(float re, float im)
{
    return Judging::GetFI(re, im);
}

float Krok3::VectorRe() const
{
    const krok2& step2 = Forms::get<krok2>();
    return PlaneMapping(step2.Graf->ScaleWidth(), step2.Graf->ScaleHeight(), Data_a_promene::axisLimit)
        .toRe(step2.vectorEndX);
}

float Krok3::VectorIm() const
{
    const krok2& step2 = Forms::get<krok2>();
    return PlaneMapping(step2.Graf->ScaleWidth(), step2.Graf->ScaleHeight(), Data_a_promene::axisLimit)
        .toIm(step2.vectorEndY);
}

bool Krok3::CheckPhase() const
{
    return Judging::CheckPhase(phaseShift, Data_a_promene::resultRe, Data_a_promene::resultIm);
}

void Krok3::EvaluateExample()
{
    if (System::question(this, QStringLiteral("Dotaz"), QStringLiteral("Jseš si svými výsledky opravdu jist?"),
                         QMessageBox::Yes) != QMessageBox::Yes)
        return;
    hide();

    Spatny& review = Forms::get<Spatny>();
    review.resetMarks();

    const Krok1::Answers typed = Forms::get<Krok1>().answers();
    const krok2& step2 = Forms::get<krok2>();
    Judging::ExampleAnswers answers;
    answers.re = typed.re;
    answers.im = typed.im;
    answers.absh = typed.absh;
    answers.fi = typed.fi;
    answers.vectorEndX = step2.vectorEndX;
    answers.vectorEndY = step2.vectorEndY;
    answers.grafWidth = step2.Graf->ScaleWidth();
    answers.grafHeight = step2.Graf->ScaleHeight();
    answers.axisLimit = Data_a_promene::axisLimit;
    answers.amplitude = amplitude;
    answers.phaseShift = phaseShift;
    answers.axisMax = axisMax;
    answers.pbHeight = pb->ScaleHeight();
    answers.resultRe = Data_a_promene::resultRe;
    answers.resultIm = Data_a_promene::resultIm;

    const Judging::Verdict verdict = Judging::judgeExample(answers);
    review.setMarks(verdict);
    Judging::countExample(Data_a_promene::runState, verdict.errorCode);

    hide();
    if (verdict.errorCode == 0) {
        Forms::get<Dobry>().showModeless();
    } else {
        review.Form_Load();
        review.showModeless();
    }
}
