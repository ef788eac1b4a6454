#include "app/ParseFailure.h"

#include <sstream>

#include "app/ForPeople.h"

int reportParseFailure(const CLI::App& app, const CLI::ParseError& error, std::ostream& out, std::ostream& err) {
    std::ostringstream message;
    const int code = app.exit(error, out, message);
    std::istringstream lines(message.str());
    for (std::string line; std::getline(lines, line);)
        err << forPeople(line) << '\n';
    return code;
}
