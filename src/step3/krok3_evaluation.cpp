#include "step3/krok3.h"

void Krok3::EvaluateExample() {}
