#include "app/install/ManualPage.h"

#include <cctype>

namespace {

// Text as roff prints it: a backslash and a hyphen as themselves, no line read as a request.
std::string roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
        lineStart = c == '\n';
    }
    return out;
}

// The help's fragments ("the page to check") as the manual's sentences.
std::string sentence(std::string text) {
    if (text.empty())
        return text;
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (text.back() != '.')
        text += '.';
    return roff(text);
}

std::string joined(const nlohmann::json& words, const std::string& before, const std::string& after) {
    std::string out;
    for (const auto& word : words) {
        if (!out.empty())
            out += ", ";
        out += before + roff(word.get<std::string>()) + after;
    }
    return out;
}

}  // namespace

std::string manualSynopsis(const nlohmann::json& table) {
    std::string name = table.at("name").get<std::string>();
    std::string out = ".B " + roff(name) + "\n[\\fIoptions\\fR]\n";
    for (const auto& option : table.at("options"))
        if (option.at("positional").get<bool>())
            out += ".I " + roff(option.at("names").at(0).get<std::string>()) +
                   (option.at("repeatable").get<bool>() ? " ...\n" : "\n");
    return out;
}

std::string manualOptions(const nlohmann::json& table) {
    std::string out;
    for (const auto& option : table.at("options")) {
        const bool positional = option.at("positional").get<bool>();
        out += ".TP\n";
        out += positional ? joined(option.at("names"), "\\fI", "\\fR") : joined(option.at("names"), "\\fB", "\\fR");
        if (const std::string value = option.at("value").get<std::string>(); !positional && !value.empty())
            out += " \\fI" + roff(value) + "\\fR";
        out += "\n" + sentence(option.at("description").get<std::string>()) + "\n";
        if (!option.at("values").empty())
            out += "One of " + joined(option.at("values"), "\\fB", "\\fR") + ".\n";
        if (const std::string env = option.at("env").get<std::string>(); !env.empty())
            out += "Also read from the environment variable \\fB" + roff(env) + "\\fR.\n";
    }
    return out;
}
