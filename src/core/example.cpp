#include "core/example.h"

#include <QDateTime>

#include <cmath>
#include <memory>
#include <random>

OperationTexts operationTexts(Operation op)
{
    switch (op) {
    case Operation::Sum:
        return {QStringLiteral("Součet je:"), QStringLiteral("Daná čísla sečti"), QStringLiteral("Součet:")};
    case Operation::Difference:
        return {QStringLiteral("Rozdíl je:"), QStringLiteral("Daná čísla od sebe odečti"), QStringLiteral("Rozdíl:")};
    case Operation::Product:
        return {QStringLiteral("Součin je:"), QStringLiteral("Daná čísla vynásob"), QStringLiteral("Násobek:")};
    case Operation::Quotient:
        return {QStringLiteral("Podíl je:"), QStringLiteral("Daná čísla vyděl"), QStringLiteral("Podíl:")};
    }
    return {};
}

RandomSource clockSeededSource()
{
    auto engine = std::make_shared<std::mt19937>(std::mt19937::result_type(QDateTime::currentMSecsSinceEpoch()) ^
                                                 std::random_device{}());
    return [engine] {
        std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
        const float r = uniform(*engine);
        return r < 1.0f ? r : 0.0f;
    };
}

// floor, not truncation: -0.5 gives -1. The product is taken in single precision, as the draw is.
static float drawWhole(const RandomSource& random, float span, float offset)
{
    const float r = random();
    return std::floor(r * span - offset);
}

Example GenerateExample(const RandomSource& random)
{
    Example ex;
    const float r = random();
    int op = int(std::floor(r * 4.0f)) + 1;
    if (op < 1 || op > 4) // a source outside [0, 1) must not give an unknown operation
        op = op < 1 ? 1 : 4;
    ex.operation = Operation(op);

    const bool small = ex.operation == Operation::Product || ex.operation == Operation::Quotient;
    const float span = small ? 200.0f : 2000.0f;
    const float offset = small ? 100.0f : 1000.0f;
    for (float& operand : ex.operands)
        operand = drawWhole(random, span, offset);

    while (ex.operation == Operation::Quotient && ex.operands[2] == 0 && ex.operands[3] == 0)
        ex.operands[2] = drawWhole(random, 200.0f, 100.0f);

    computeResult(ex);
    return ex;
}

void computeResult(Example& ex)
{
    const double a1 = ex.operands[0], b1 = ex.operands[1], a2 = ex.operands[2], b2 = ex.operands[3];
    double re = 0, im = 0;
    switch (ex.operation) {
    case Operation::Sum:
        re = a2 + a1;
        im = b2 + b1;
        break;
    case Operation::Difference:
        re = a1 - a2;
        im = b1 - b2;
        break;
    case Operation::Product:
        re = a2 * a1 - b2 * b1;
        im = b1 * a2 + b2 * a1;
        break;
    case Operation::Quotient: {
        const double d = b2 * b2 + a2 * a2;
        re = (b2 * b1 + a2 * a1) / d;
        im = (b1 * a2 - a1 * b2) / d;
        break;
    }
    }
    ex.resultRe = float(re);
    ex.resultIm = float(im);
}

QString wholeNumberText(float value)
{
    return QString::number(qint64(value));
}

QString signText(float imaginaryPart)
{
    return imaginaryPart < 0 ? QStringLiteral("-") : QStringLiteral("+");
}

std::array<OperandCaptions, 2> operandCaptions(const Example& example)
{
    const auto& o = example.operands;
    return {OperandCaptions{wholeNumberText(o[0]), signText(o[1]), wholeNumberText(std::fabs(o[1]))},
            OperandCaptions{wholeNumberText(o[2]), signText(o[3]), wholeNumberText(std::fabs(o[3]))}};
}
