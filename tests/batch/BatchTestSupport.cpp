#include "tests/batch/BatchTestSupport.h"

namespace tarn::test {

void BatchTest::SetUp() {
    ProgramTest::SetUp();
    auto redirect = [this](const char* from, std::string to, int status) {
        server.server().Get(from, [to, status](const httplib::Request&, httplib::Response& response) {
            response.status = status;
            response.set_header("Location", to);
        });
    };
    server.server().Get("/gone", [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
    redirect("/a", "/b", 301);
    redirect("/b", "/ok", 301);
    redirect("/p", "/ok", 308);
    redirect("/t", "/ok", 302);
    redirect("/bad", "/gone", 301);
    redirect("/here", "#top", 301);
    // Moved pages that lead somewhere else: the root, a login page, another host (localhost is another
    // host name for the same server).
    for (const char* page : {"/", "/login"})
        server.server().Get(page, [](const httplib::Request&, httplib::Response& response) { response.status = 200; });
    redirect("/moved", "/", 301);
    redirect("/members", "/login?next=/members", 301);
    redirect("/away", "http://localhost:" + link("/ok").substr(std::string("http://127.0.0.1:").size()), 308);
    server.start();
}

int BatchTest::check(std::vector<std::string> args, std::string& output) {
    args.insert(args.begin(), "--check");
    output.clear();
    return runToEnd(TARN_PROGRAM, args, environment(), folder / "stderr.txt", &output);
}

std::pair<int, int> positionOf(const std::string& page, const std::string& needle) {
    const std::size_t at = page.find(needle);
    const std::size_t lineStart = page.rfind('\n', at);
    const int line = 1 + static_cast<int>(std::count(page.begin(), page.begin() + static_cast<long>(at), '\n'));
    const int column = static_cast<int>(lineStart == std::string::npos ? at + 1 : at - lineStart);
    return {line, column};
}

}  // namespace tarn::test
