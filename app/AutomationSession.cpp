#include "app/AutomationSession.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "app/HostWindow.h"
#include "app/PageHost.h"
#include "app/StopSignals.h"
#include "contracts/dialog/LinkCheckFace.h"

namespace {

nlohmann::json callsJson(const std::vector<HostCall>& calls) {
    nlohmann::json list = nlohmann::json::array();
    for (const HostCall& call : calls)
        list.push_back({{"op", call.op}, {"args", call.args}});
    return list;
}

}  // namespace

AutomationSession::AutomationSession(PageHost& host, const HostWindow& window, const StopSignals& signals,
                                     int input, std::FILE* output)
    : host_(host), window_(window), signals_(signals), input_(input), output_(output) {
    // Stop is enabled exactly while a check runs, so "wait for idle" waits for it.
    frontEnd_.SetBusyControl(IDC_STOP);
    frontEnd_.SetStateExtension([this](nlohmann::json& state) { state["host"] = hostState(); });
    frontEnd_.AddStep(nextStep());
}

nlohmann::json AutomationSession::hostState() const {
    nlohmann::json messages = nlohmann::json::array();
    for (const HostWindow::Message& m : window_.messages())
        messages.push_back({{"msg", m.msg}, {"wParam", m.wParam}, {"lParam", m.lParam}});
    nlohmann::json cursor = nullptr;
    if (auto position = window_.sourceCursor())
        cursor = {{"line", position->line}, {"column", position->column}};
    return {{"calls", callsJson(host_.calls())}, {"messages", messages}, {"sourceCursor", cursor}};
}

void AutomationSession::printExit(int modalResult, bool saved, const std::optional<std::string>& path) {
    print({{"event", "exit"},
           {"modalResult", modalResult},
           {"hostCalls", callsJson(host_.calls())},
           {"saved", saved},
           {"path", path ? nlohmann::json(*path) : nlohmann::json(nullptr)}});
}

headless::HeadlessFrontEnd::Step AutomationSession::nextStep() {
    return [this](headless::HeadlessFrontEnd& frontEnd) { return runStep(frontEnd); };
}

// One command at most per call, so the messages it caused run before the next one. The step stays for
// the whole dialog: after an answer it comes back at once (a new step, and done), otherwise it is asked
// again when messages arrive or the front end's short wait ends.
bool AutomationSession::runStep(headless::HeadlessFrontEnd& frontEnd) {
    if (!closing_ && signals_.arrived()) {
        closing_ = true;
        if (pending_) {
            print({{"ok", false}, {"error", "interrupted"}});
            pending_.reset();
        }
        frontEnd.Close();
        return false;
    }
    if (closing_)
        return false;
    if (!pending_) {
        std::optional<std::string> line = takeLine();
        if (!line) {
            if (inputEnded_) {
                closing_ = true;
                frontEnd.Close();
            }
            return false;
        }
        nlohmann::json command = headless::HeadlessFrontEnd::ReadCommand(*line);
        if (command.is_discarded()) {
            print({{"ok", false}, {"error", "malformed JSON"}});
            frontEnd.AddStep(nextStep());
            return true;
        }
        pending_ = std::move(command);
    }
    nlohmann::json answer = frontEnd.Command(*pending_);
    if (answer.is_null())
        return false;
    pending_.reset();
    print(answer);
    frontEnd.AddStep(nextStep());
    return true;
}

std::optional<std::string> AutomationSession::takeLine() {
    auto complete = [this]() -> std::optional<std::string> {
        std::size_t end = buffered_.find('\n');
        if (end == std::string::npos) {
            // The last line may lack its line break.
            if (!inputEnded_ || buffered_.empty())
                return std::nullopt;
            end = buffered_.size();
        }
        std::string line = buffered_.substr(0, end);
        buffered_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return line;
    };
    if (auto line = complete())
        return line;
    if (inputEnded_)
        return std::nullopt;
    pollfd watch{input_, POLLIN, 0};
    if (poll(&watch, 1, 0) <= 0)
        return std::nullopt;
    char chunk[1 << 16];
    ssize_t n = ::read(input_, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return std::nullopt;
    if (n <= 0)
        inputEnded_ = true;
    else
        buffered_.append(chunk, static_cast<std::size_t>(n));
    return complete();
}

void AutomationSession::print(const nlohmann::json& line) {
    // Text from the page may hold bytes that are not UTF-8; they must not end the session.
    std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), output_);
    std::fflush(output_);
}
