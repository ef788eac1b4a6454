#include "app/install/Completion.h"

namespace {

std::string shellQuoted(const std::string& word) {
    std::string out = "'";
    for (char c : word)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::string completionWords(const nlohmann::json& table) {
    std::string out;
    for (const auto& option : table.at("options")) {
        if (option.at("positional").get<bool>())
            continue;
        for (const auto& name : option.at("names"))
            out += (out.empty() ? "" : " ") + name.get<std::string>();
    }
    return out;
}

std::string completionValues(const nlohmann::json& table) {
    std::string out;
    for (const auto& option : table.at("options")) {
        const std::string value = option.at("value").get<std::string>();
        if (option.at("positional").get<bool>() || value.empty())
            continue;
        std::string names;
        for (const auto& name : option.at("names"))
            names += (names.empty() ? "" : "|") + name.get<std::string>();
        std::string action;
        if (!option.at("values").empty()) {
            std::string words;
            for (const auto& word : option.at("values"))
                words += (words.empty() ? "" : " ") + word.get<std::string>();
            action = "COMPREPLY=($(compgen -W " + shellQuoted(words) + " -- \"$cur\"))";
        } else if (value == "PATH" || value == "FILE") {
            action = "_filedir";
        } else if (value == "DIR") {
            action = "_filedir -d";
        } else {
            action = ":";
        }
        out += "        " + names + ") " + action + " ;;\n";
    }
    return out;
}
