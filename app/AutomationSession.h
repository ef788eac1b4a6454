#pragma once
#include <cstdio>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/headless/HeadlessFrontEnd.h"

class HostWindow;
class PageHost;
class StopSignals;

// `--automate`: the dialog runs in the headless front end and a script drives it. One JSON command a
// line comes from `input`; each is run on the dialog's thread when its loop is idle, never inside a
// handler, and answered with exactly one JSON line on `output`. The host's own part (its calls, its
// window's messages, the source cursor) joins the dialog's state. The end of the input, and a stop
// signal, close the dialog as Cancel. Nothing but these JSON lines goes to `output`.
class AutomationSession {
public:
    AutomationSession(PageHost& host, const HostWindow& window, const StopSignals& signals, int input,
                      std::FILE* output);

    win::ModalFrontEnd& frontEnd() { return frontEnd_; }

    // The host's part of the state: {"calls", "messages", "sourceCursor"}.
    nlohmann::json hostState() const;
    // The last line, once the dialog and the host have finished. `path` is where the page was written.
    void printExit(int modalResult, bool saved, const std::optional<std::string>& path);

private:
    headless::HeadlessFrontEnd::Step nextStep();
    bool runStep(headless::HeadlessFrontEnd& frontEnd);
    // Reads what the input holds without waiting; a complete line when there is one.
    std::optional<std::string> takeLine();
    void print(const nlohmann::json& line);

    PageHost& host_;
    const HostWindow& window_;
    const StopSignals& signals_;
    int input_;
    std::FILE* output_;
    headless::HeadlessFrontEnd frontEnd_;
    std::string buffered_;
    bool inputEnded_ = false;
    bool closing_ = false;
    std::optional<nlohmann::json> pending_;  // a command that has not answered yet (a wait)
};
