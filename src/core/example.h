#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>

enum class Operation : quint8 { Sum = 1, Difference = 2, Product = 3, Quotient = 4 };

// Captions of one operation on the forms that name it.
struct OperationTexts {
    QString oper;    // result heading on Krok1 and Spatny ("Součet je:")
    QString inform;  // task on Krok1 and Vysledky ("Daná čísla sečti")
    QString operace; // short name in Vysledky ("Součet:")
};

OperationTexts operationTexts(Operation op);

// Uniform values in [0, 1); each call is a fresh draw.
using RandomSource = std::function<float()>;

// A fresh source seeded from the clock (mixed with the system's entropy, so that two sources made
// in the same millisecond still differ).
RandomSource clockSeededSource();

// One example: z1 = a1 + b1 i, z2 = a2 + b2 i (whole numbers kept in single precision) and the
// correct result, rounded to single precision once when it is stored.
struct Example {
    Operation operation = Operation::Sum;
    std::array<float, 4> operands{}; // a1, b1, a2, b2
    float resultRe = 0;
    float resultIm = 0;
};

// Draws the operation, then a1, b1, a2, b2, and computes the result. A quotient never gets a zero
// divisor: a2 is drawn again while both parts of z2 are zero.
Example GenerateExample(const RandomSource& random);

// The result of an operation on two complex numbers, evaluated in double precision and stored in
// single precision.
void computeResult(Example& example);

// Captions of the operand labels: the whole number ("-537"), the sign of an imaginary part ("+" for
// zero and above) and its magnitude.
QString wholeNumberText(float value);
QString signText(float imaginaryPart);

// One operand as the forms show it: its real part, the sign of its imaginary part and the magnitude.
struct OperandCaptions {
    QString re, sign, im;
};
// The two operands of an example.
std::array<OperandCaptions, 2> operandCaptions(const Example& example);
