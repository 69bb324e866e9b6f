#pragma once
// A mark in the user's state folder that lives exactly as long as an apply
// run is under way. A run that is stopped midway (the window closed, the
// session ended, the machine switched off) leaves it behind, and the next
// start tells the user once that the router may be partly set up.

// Sets the mark; before the run's first request.
void MarkSetupUnderWay();
// Clears it: the run has ended by itself (applied, refused, nothing sent).
void ClearSetupUnderWay();
// True when a mark was left behind; clears it, so the user is told once.
bool TakeUnfinishedSetupMark();
