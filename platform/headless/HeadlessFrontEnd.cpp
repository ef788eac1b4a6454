#include "platform/headless/HeadlessFrontEnd.h"

#include "platform/win/WinUser.h"

namespace headless {

namespace {

// How long Idle waits for a message when a step is not done yet. A message ends the wait at once; the
// bound only sets how often a step waiting for time alone is asked again.
constexpr DWORD kWaitSliceMs = 10;

}  // namespace

HeadlessFrontEnd::HeadlessFrontEnd(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {}

void HeadlessFrontEnd::AddStep(Step step) { steps_.push_back(std::move(step)); }

HeadlessFrontEnd::Step HeadlessFrontEnd::CommandStep(nlohmann::json command,
                                                     std::function<void(const nlohmann::json&)> answer) {
    return [command = std::move(command), answer = std::move(answer)](HeadlessFrontEnd& frontEnd) {
        nlohmann::json reply = frontEnd.Command(command);
        if (reply.is_null())
            return false;
        answer(reply);
        return true;
    };
}

void HeadlessFrontEnd::ModalStarted(HWND hDlg) {
    dialog_ = hDlg;
    closePosted_ = false;
    waitDeadline_.reset();
}

void HeadlessFrontEnd::Idle(HWND hDlg) {
    // A nested dialog may have run in between: the loop calling now is this dialog's.
    dialog_ = hDlg;
    if (steps_.empty()) {
        if (!closePosted_) {
            closePosted_ = true;
            PostMessageW(hDlg, WM_CLOSE, 0, 0);
        } else {
            MsgWaitForMessages(kWaitSliceMs);
        }
        return;
    }
    // The step leaves the queue while it runs: when its action opens another modal dialog, that dialog's
    // loop goes on with the steps after it.
    Step step = std::move(steps_.front());
    steps_.pop_front();
    if (step(*this))
        return;
    steps_.push_front(std::move(step));
    MsgWaitForMessages(kWaitSliceMs);
}

void HeadlessFrontEnd::ModalEnded(HWND) {
    dialog_ = nullptr;
    waitDeadline_.reset();
}

}  // namespace headless
