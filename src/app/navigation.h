#pragma once

// Moves of the run that several forms share.
namespace Navigation {

// The first window of the program.
void start();

// After "&Ano" on Konec: the summary, which stores or encodes the run.
void showSummary();

} // namespace Navigation
