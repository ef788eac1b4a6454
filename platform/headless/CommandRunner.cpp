#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win/Utf8.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/WindowInput.h"

// The automation commands: each one's fields are checked before anything is done, so a malformed command
// changes nothing; the answer says how it went.

namespace headless {

namespace {

using nlohmann::json;

json Answer(const Outcome& outcome) {
    if (outcome.Ok())
        return {{"ok", true}};
    return {{"ok", false}, {"error", outcome.error}};
}

json Malformed(const std::string& why) { return {{"ok", false}, {"error", "malformed command: " + why}}; }

// The named field as an int, or nothing when it is missing, not an integer or out of range.
std::optional<int> IntField(const json& command, const char* name) {
    const auto it = command.find(name);
    if (it == command.end() || !it->is_number_integer())
        return std::nullopt;
    const auto value = it->get<long long>();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<WORD> KeyCode(const std::string& name) {
    static const std::pair<const char*, WORD> keys[] = {
        {"Up", VK_UP},     {"Down", VK_DOWN},     {"Space", VK_SPACE},  {"Home", VK_HOME},
        {"End", VK_END},   {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT},
    };
    for (const auto& [keyName, vk] : keys)
        if (name == keyName)
            return vk;
    return std::nullopt;
}

}  // namespace

nlohmann::json HeadlessFrontEnd::ReadCommand(std::string_view line) {
    if (line.find('\0') != std::string_view::npos)
        return json(json::value_t::discarded);
    return json::parse(line, nullptr, false);
}

nlohmann::json HeadlessFrontEnd::Command(const nlohmann::json& command) {
    if (!command.is_object())
        return Malformed("not an object");
    const auto opField = command.find("op");
    if (opField == command.end() || !opField->is_string())
        return Malformed("no op");
    const std::string op = opField->get<std::string>();
    // Any other command ends a wait that was left pending.
    if (op != "wait")
        waitDeadline_.reset();

    auto need = [&](const char* name) { return IntField(command, name); };
    if (op == "state")
        return {{"ok", true}, {"state", State()}};
    if (op == "click") {
        const std::optional<int> id = need("id");
        return id ? Answer(Click(*id)) : Malformed("id");
    }
    if (op == "select") {
        const std::optional<int> id = need("id");
        const std::optional<int> index = need("index");
        return id && index ? Answer(Select(*id, *index)) : Malformed(id ? "index" : "id");
    }
    if (op == "type") {
        const std::optional<int> id = need("id");
        const auto text = command.find("text");
        if (!id || text == command.end() || !text->is_string())
            return Malformed(id ? "text" : "id");
        return Answer(Type(*id, win::DecodeUtf8(text->get<std::string>())));
    }
    if (op == "tick") {
        const std::optional<int> row = need("row");
        const auto value = command.find("value");
        if (!row || value == command.end() || !value->is_boolean())
            return Malformed(row ? "value" : "row");
        const Outcome outcome = Tick(*row, value->get<bool>());
        json answer = Answer(outcome);
        if (outcome.Ok())
            answer["ticked"] = outcome.ticked;
        return answer;
    }
    if (op == "clickRow" || op == "dblclickRow") {
        const std::optional<int> row = need("row");
        if (!row)
            return Malformed("row");
        return Answer(op == "clickRow" ? ClickRow(*row) : DblClickRow(*row));
    }
    if (op == "key") {
        const auto key = command.find("key");
        const std::optional<WORD> vk = key != command.end() && key->is_string() ? KeyCode(key->get<std::string>())
                                                                                 : std::nullopt;
        return vk ? Answer(Key(*vk)) : Malformed("key");
    }
    if (op == "header") {
        const std::optional<int> column = need("column");
        return column ? Answer(Header(*column)) : Malformed("column");
    }
    if (op == "resize") {
        const std::optional<int> width = need("width");
        const std::optional<int> height = need("height");
        return width && height ? Answer(Resize(*width, *height)) : Malformed(width ? "height" : "width");
    }
    if (op == "wait") {
        const auto what = command.find("for");
        if (what != command.end() && *what != "idle")
            return Malformed("for");
        const std::optional<int> timeout = need("timeoutMs");
        if (!timeout || *timeout < 0)
            return Malformed("timeoutMs");
        const std::optional<Outcome> outcome = WaitIdle(*timeout, busyControl_);
        return outcome ? Answer(*outcome) : json();
    }
    if (op == "close")
        return Answer(Close());
    return Malformed("unknown op " + op);
}

}  // namespace headless
