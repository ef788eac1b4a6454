#pragma once
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// Where an option's value goes: a member of the options a command reads.
using OptionTarget = std::variant<bool*, std::optional<int>*, std::string*, std::vector<std::string>*>;

// Empty when a value (as text) is acceptable; else why not, as one clause naming the value.
using OptionCheck = std::function<std::string(const std::string& value)>;

// How a list is written in the config file: an array of texts, or a table of names and texts that the
// command line writes "Name: value".
enum class ConfigForm { Value, NameValueTable };

// One option of a command: its command line, its help, its config file key and how its values are
// checked, in one entry, from which the command line, the config file, the help and the manual page are
// all made.
struct Option {
    std::string name = {};  // "--timeout"; a name without dashes is a positional argument ("PATH")
    std::string typeName = {};  // what the value is, for the help ("SECONDS"); empty for a flag
    std::string help = {};  // a sentence fragment that reads well in --help and in a manual page
    OptionTarget target = {};
    std::string configKey = {};  // the key in tarnlink.toml; empty: the command line only
    OptionCheck check = {};      // empty: every value of the target's type
    // The only words the value may be, which the help, the manual page and the completion name; the command
    // line and the config file refuse any other.
    std::vector<std::string> words = {};
    char delimiter = 0;  // a list given as one value, its items split here (--fix redirects,archive)
    ConfigForm configForm = ConfigForm::Value;
    bool required = false;
};

using OptionTable = std::vector<Option>;

// The check of an option's values: its own, else one of its words, else none.
OptionCheck checkOf(const Option& option);

// Checks for the table's entries.
OptionCheck inRange(int lowest, int highest);
OptionCheck oneOf(std::vector<std::string> words);
// A text sent on one line of a request: no line break in it.
std::string oneLine(const std::string& value);
// An http or https URL with a host, on one line.
std::string webUrlProblem(const std::string& value);
// A day written YYYYMMDD that the calendar has.
std::string dayProblem(const std::string& value);
