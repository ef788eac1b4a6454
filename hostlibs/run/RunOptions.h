#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

class AnswerCache;

// How the host's checker makes its requests. What is left unset comes from the user's settings, else the
// defaults (hostlibs/url/RequestLimits.h).
struct RequestOptions {
    std::optional<int> parallel;  // requests at once in all; 1 asks one link at a time
    std::optional<int> perHost;   // requests at once to one host and port
    std::optional<int> timeout;   // seconds for one link, its HEAD and GET together; unset: the dialog's limit
    std::string userAgent;        // sent with every request; empty: the checker's own
    std::vector<std::string> headers;  // "Name: value", sent with every request
};

// Lines for a person that the dialog itself stays silent about (no browser gave its page); the program
// shows them where it has a place for them.
using NoticeSink = std::function<void(const std::string& line)>;

// Whether the dialog's settings (the manual start, its size) reach the settings file.
enum class SettingsStore {
    Written,   // as the user changes them
    InMemory,  // kept for the run and forgotten after it: a run that must leave the user's settings alone
};

// How long a good answer (2xx, 3xx) stands for the same URL when the checker looks ahead.
enum class AnswerReuse {
    WithinCheck,  // until the dialog's next Start
    WholeRun,     // for every page of a batch run
};

// What the program gives one run of the link check module.
struct RunOptions {
    RequestOptions requests;
    std::vector<std::string> browserEndpoints;  // asked first, in this order, for the browser's page
    NoticeSink notices;                         // empty: the lines are dropped
    SettingsStore settings = SettingsStore::Written;
    AnswerReuse goodAnswers = AnswerReuse::WithinCheck;
    std::shared_ptr<AnswerCache> cache;  // good answers of earlier runs, given without asking; null: none
};

}  // namespace tarn
