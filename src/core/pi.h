#pragma once

// The program's pi, to 15 significant digits, for the angles and the sinusoid.
inline constexpr double Pi = 3.14159265358979;
