#include "app/options/ConfigFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include <toml++/toml.h>

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// Why a value cannot be taken.
struct ValueError {
    std::string why;
};

// A value read for an option, of its target's type.
using ConfigValue = std::variant<bool, int, std::string, std::vector<std::string>>;

std::string checked(const OptionCheck& check, std::string text) {
    if (check) {
        if (std::string why = check(text); !why.empty())
            throw ValueError{std::move(why)};
    }
    return text;
}

std::string textOf(const toml::node& node, const OptionCheck& check) {
    const std::optional<std::string> text = node.value_exact<std::string>();
    if (!text)
        throw ValueError{"expected a string"};
    return checked(check, *text);
}

std::vector<std::string> listOf(const toml::node& node, const Option& option) {
    std::vector<std::string> values;
    if (option.configForm == ConfigForm::NameValueTable) {
        const toml::table* table = node.as_table();
        if (table == nullptr)
            throw ValueError{"expected a table of names and strings"};
        for (const auto& [name, value] : *table) {
            const std::optional<std::string> text = value.value_exact<std::string>();
            if (!text)
                throw ValueError{"expected a string for \"" + std::string(name.str()) + "\""};
            values.push_back(checked(checkOf(option), std::string(name.str()) + ": " + *text));
        }
        return values;
    }
    const toml::array* array = node.as_array();
    if (array == nullptr)
        throw ValueError{"expected an array of strings"};
    for (const toml::node& element : *array)
        values.push_back(textOf(element, checkOf(option)));
    return values;
}

ConfigValue read(const toml::node& node, const Option& option) {
    return std::visit(Overloaded{[&](bool*) -> ConfigValue {
                                     const std::optional<bool> value = node.value_exact<bool>();
                                     if (!value)
                                         throw ValueError{"expected true or false"};
                                     return *value;
                                 },
                                 [&](std::optional<int>*) -> ConfigValue {
                                     const std::optional<std::int64_t> value = node.value_exact<std::int64_t>();
                                     if (!value)
                                         throw ValueError{"expected a whole number"};
                                     checked(checkOf(option), std::to_string(*value));
                                     return static_cast<int>(*value);
                                 },
                                 [&](std::string*) -> ConfigValue { return textOf(node, checkOf(option)); },
                                 [&](std::vector<std::string>*) -> ConfigValue { return listOf(node, option); }},
                      option.target);
}

void assign(const OptionTarget& target, ConfigValue value) {
    std::visit(Overloaded{[&](bool* flag) { *flag = std::get<bool>(value); },
                          [&](std::optional<int>* number) { *number = std::get<int>(value); },
                          [&](std::string* text) { *text = std::move(std::get<std::string>(value)); },
                          [&](std::vector<std::string>* list) {
                              *list = std::move(std::get<std::vector<std::string>>(value));
                          }},
               target);
}

std::string place(const std::string& path, const toml::source_region& source) {
    return path + ":" + std::to_string(source.begin.line);
}

}  // namespace

std::optional<std::string> readConfigFile(const std::string& path, const OptionTable& table,
                                          const std::function<bool(const Option&)>& given,
                                          const std::set<std::string>& otherKeys) {
    std::string file = path;
    if (file.empty()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(kDefaultConfigFile, error))
            return std::nullopt;
        file = kDefaultConfigFile;
    }
    toml::table config;
    try {
        config = toml::parse_file(file);
    } catch (const toml::parse_error& e) {
        // A file that cannot be opened has no line.
        if (e.source().begin.line == 0)
            return file + ": cannot read the config file: " + std::string(e.description());
        return place(file, e.source()) + ": " + std::string(e.description());
    }
    for (const auto& [key, node] : config) {
        const std::string name(key.str());
        const auto option = std::find_if(table.begin(), table.end(),
                                         [&name](const Option& entry) { return entry.configKey == name; });
        if (option == table.end()) {
            if (otherKeys.contains(name))
                continue;
            return place(file, key.source()) + ": unknown key \"" + name + "\"";
        }
        try {
            // Read even when the command line gives the option: a wrong file is wrong either way.
            ConfigValue value = read(node, *option);
            if (!given(*option))
                assign(option->target, std::move(value));
        } catch (const ValueError& e) {
            return place(file, node.source()) + ": " + name + ": " + e.why;
        }
    }
    return std::nullopt;
}
