#pragma once
#include <string>
#include <vector>

#include "tests/app/ProgramTestSupport.h"
#include "tests/http/LoopbackServer.h"

namespace tarn::test {

// A page folder (ProgramTest: manual start unless asked otherwise) and a loopback site whose paths
// answer as their names say: /ok 200, /gone 404, /a 301 to /b 301 to /ok, /p 308 to /ok, /t 302 to
// /ok, /bad 301 to /gone; / and /login 200, /moved 301 to /, /members 301 to /login?next=/members, /away 308
// to the same server as localhost.
class BatchTest : public ProgramTest {
protected:
    void SetUp() override;

    std::string link(const std::string& path) const { return server.url(path); }
    // tarnlink --check ARGS...: the exit status, with standard output in `output`.
    int check(std::vector<std::string> args, std::string& output);
    std::string settings() const { return readFile(folder / "config" / "tarn" / "registry.ini"); }

    LoopbackServer server;
};

// Line and column (1-based) where `needle` begins in the ASCII text `page`.
std::pair<int, int> positionOf(const std::string& page, const std::string& needle);

}  // namespace tarn::test
