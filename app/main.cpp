#include "app/Program.h"

#if defined(__SANITIZE_ADDRESS__)
// The TLS library behind the HTTP client gives each thread that calls it an error state of its own, freed
// as the thread ends; one still ending as the program exits leaves it behind. That is the library's, not a
// leak of this program, and must not fail a checked run's exit code.
extern "C" const char* __lsan_default_suppressions() { return "leak:libcrypto.so\n"; }
#endif

int main(int argc, char** argv) { return runProgram(argc, argv); }
