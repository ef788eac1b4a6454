#pragma once

// `tarnlink --check ...`: checks the pages without a dialog on screen and reports on standard output.
// Returns the exit code.
int runBatch(int argc, const char* const* argv);
