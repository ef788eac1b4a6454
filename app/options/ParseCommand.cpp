#include "app/options/ParseCommand.h"

#include <ostream>

#include <CLI/CLI.hpp>

#include "app/ForPeople.h"
#include "app/ParseFailure.h"
#include "app/options/CommandLine.h"
#include "app/options/ConfigFile.h"
#include "app/options/OptionTableJson.h"

std::set<std::string> configKeys(const OptionTable& table) {
    std::set<std::string> keys;
    for (const Option& option : table) {
        if (!option.configKey.empty())
            keys.insert(option.configKey);
    }
    return keys;
}

std::optional<int> parseCommand(CLI::App& app, const OptionTable& table, const std::string& configPath,
                                const std::set<std::string>& otherKeys, int argc, const char* const* argv,
                                std::ostream& out, std::ostream& err) {
    addOptions(app, table);
    if (asksForOptionTable(argc, argv)) {
        writeOptionTable(app, out);
        return 0;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return reportParseFailure(app, e, out, err) == 0 ? 0 : 2;
    }
    if (std::optional<std::string> error = readConfigFile(
            configPath, table, [&app](const Option& option) { return givenOn(app, option); }, otherKeys)) {
        err << forPeople(*error) << '\n';
        return 2;
    }
    return std::nullopt;
}
