#pragma once

// Moves of the run that several forms share.
namespace Navigation {

// Connects the forms to the program's own end confirmation; done once at start.
void install();

// The first window of the program.
void start();

// After "&Ano" on Konec: the summary, which stores or encodes the run.
void showSummary();

} // namespace Navigation
