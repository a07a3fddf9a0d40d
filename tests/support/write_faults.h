#pragma once

// Watches the writes and syncs of the table files (*.DBF) of this test program, and can stop them
// as a program killed at one of those writes leaves the files: the n-th write reaches the file
// only half, and no write after it reaches it at all (each fails, so the code under test stops
// where a killed program would have). It stands in for the system's pwrite and fsync, through
// which the engine writes every row and header; link it into one test program only.
namespace writefaults {

bool available(); // false on systems where the engine's writes cannot be watched this way

void reset();             // counts back to 0, no fault
void crashAtWrite(int n); // the n-th table write from now on (1-based) is the last, torn one
int writes();             // table writes since the last reset, the failed ones included

// Whether every table file written since the last reset was synced after its last write.
bool allSynced();

} // namespace writefaults
