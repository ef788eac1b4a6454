#pragma once

// The whole of tarnlink: reads the command line, loads the page and the module, runs the dialog through
// the module's entry, saves what it corrected. Returns the exit code (see ProgramOptions.h).
int runProgram(int argc, const char* const* argv);
