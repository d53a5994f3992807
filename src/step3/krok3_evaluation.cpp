#include "step3/krok3.h"

// Placeholder definitions; the judging of an example replaces them.
void Krok3::EvaluateExample() {}
bool Krok3::Compar(float, float, float)
{
    return false;
}
float Krok3::GetFI(float, float)
{
    return 0;
}
float Krok3::VectorRe() const
{
    return 0;
}
float Krok3::VectorIm() const
{
    return 0;
}
bool Krok3::CheckPhase() const
{
    return false;
}
