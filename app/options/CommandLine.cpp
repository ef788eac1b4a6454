#include "app/options/CommandLine.h"

#include <CLI/CLI.hpp>

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

}  // namespace

void addOptions(CLI::App& app, const OptionTable& table) {
    for (const Option& option : table) {
        CLI::Option* added = std::visit(
            Overloaded{[&](bool* flag) { return app.add_flag(option.name, *flag, option.help); },
                       [&](std::vector<std::string>* list) {
                           CLI::Option* added = app.add_option(option.name, *list, option.help);
                           // Repeated, one value each time; a positional list takes them all.
                           return option.name.starts_with('-') ? added->allow_extra_args(false) : added;
                       },
                       [&](auto* value) { return app.add_option(option.name, *value, option.help); }},
            option.target);
        if (!option.typeName.empty())
            added->type_name(option.typeName);
        // A list of words checks itself, and says what they are where the option table is written out.
        if (!option.words.empty())
            added->check(CLI::IsMember(option.words));
        if (option.delimiter != 0)
            added->delimiter(option.delimiter);
        if (option.check) {
            const OptionCheck check = option.check;
            added->check(CLI::Validator([check](std::string& value) { return check(value); }, "", ""));
        }
        if (option.required)
            added->required();
    }
}

bool givenOn(const CLI::App& app, const Option& option) { return app.count(option.name) > 0; }

bool givenBeforeEnd(int argc, const char* const* argv, std::string_view word) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == word)
            return true;
    }
    return false;
}
