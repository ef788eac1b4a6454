#include "app/options/OptionTableJson.h"

#include <string_view>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "app/options/CommandLine.h"

namespace {

// A check or transform over a fixed set of words describes itself with the set in braces: "{a,b,c}", a
// mapping "{a->x,b->y}", a checked one "value in {a->x,b->y} OR {x,y}". The first set's words (the keys of
// a mapping) are what the user may write.
std::vector<std::string> wordsOf(const std::string& description) {
    std::vector<std::string> words;
    const std::size_t open = description.find('{');
    const std::size_t close = description.find('}', open);
    if (open == std::string::npos || close == std::string::npos)
        return words;
    std::string_view list = std::string_view(description).substr(open + 1, close - open - 1);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view word = list.substr(0, comma);
        if (const std::size_t arrow = word.find("->"); arrow != std::string_view::npos)
            word = word.substr(0, arrow);
        words.emplace_back(word);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return words;
}

nlohmann::json describe(CLI::Option& option) {
    nlohmann::json names = nlohmann::json::array();
    if (option.get_positional() && !option.nonpositional())
        names.push_back(option.get_name());
    for (const std::string& name : option.get_snames())
        names.push_back("-" + name);
    for (const std::string& name : option.get_lnames())
        names.push_back("--" + name);
    // The full type name is the value's name followed by ":" and each validator's description.
    std::string value = option.get_type_size_max() > 0 ? option.get_type_name() : std::string{};
    std::vector<std::string> values;
    for (int i = 0;; ++i) {
        CLI::Validator* validator = nullptr;
        try {
            validator = option.get_validator(i);
        } catch (const CLI::OptionNotFound&) {
            break;
        }
        const std::string description = validator->get_description();
        if (description.empty())
            continue;
        if (const std::string suffix = ":" + description;
            value.size() >= suffix.size() && value.compare(value.size() - suffix.size(), suffix.size(), suffix) == 0)
            value.resize(value.size() - suffix.size());
        for (std::string& word : wordsOf(description))
            values.push_back(std::move(word));
    }
    return {{"names", names},
            {"positional", !option.nonpositional()},
            {"value", value},
            {"values", values},
            {"description", option.get_description()},
            {"env", option.get_envname()},
            {"repeatable", option.get_items_expected_max() > 1}};
}

}  // namespace

bool asksForOptionTable(int argc, const char* const* argv) {
    return givenBeforeEnd(argc, argv, "--options-table");
}

void writeOptionTable(CLI::App& app, std::ostream& out) {
    nlohmann::json options = nlohmann::json::array();
    // Options in a group without a name are hidden from the help, and so from the manual page too.
    for (CLI::Option* option : app.get_options([](CLI::Option* o) { return !o->get_group().empty(); }))
        options.push_back(describe(*option));
    out << nlohmann::json{{"name", app.get_name()}, {"description", app.get_description()}, {"options", options}}.dump(2)
        << '\n';
}
