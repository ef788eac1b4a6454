#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/win/ModalFrontEnd.h"
#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

namespace headless {

// How a user's action went: done, or why not ("disabled", "no such control", ...).
struct Outcome {
    std::string error;    // empty when the action was done
    bool ticked = false;  // Tick: the row's tick afterwards

    bool Ok() const { return error.empty(); }
};

// Runs modal dialogs without a terminal, for tests and automation. The dialog is laid out and painted as
// the terminal shows it (same cells), and driven by steps that act as a user would, through the dialog's
// own input path (DeliverInput).
//
// Steps run one at a time on the dialog's thread, each when the modal loop has run every queued message.
// A step returns true when it is done, false to be called again after the messages that arrived meanwhile
// (the front end waits for them, bounded, so a waiting step never spins). When no step is left the front
// end closes the dialog (WM_CLOSE), so a run always ends.
class WINAPI_EXPORT HeadlessFrontEnd : public win::ModalFrontEnd {
public:
    using Step = std::function<bool(HeadlessFrontEnd&)>;
    // Adds members to State(), such as the host program's own part.
    using StateExtension = std::function<void(nlohmann::json&)>;

    HeadlessFrontEnd() = default;
    explicit HeadlessFrontEnd(std::vector<Step> steps);

    void AddStep(Step step);
    // A step that runs a JSON command (see Command) until it answers, and hands the answer on.
    static Step CommandStep(nlohmann::json command, std::function<void(const nlohmann::json&)> answer);

    // The running dialog; null outside a modal loop.
    HWND Dialog() const { return dialog_; }

    void ModalStarted(HWND hDlg) override;
    void Idle(HWND hDlg) override;
    void ModalEnded(HWND hDlg) override;

    // A user's actions on the running dialog. Rows, Key and Header are about the dialog's list view; a row
    // is scrolled into view before it is clicked. A refusal says why: "no dialog", "no such control",
    // "hidden", "disabled", "not a button" (a combo box, an edit box), "no such item", "no such row",
    // "no check boxes", "no such column", "bad size".
    Outcome Click(int id);                           // a button, radio button or check box
    Outcome Select(int id, int index);               // drops the combo box and picks the item
    Outcome Type(int id, std::u16string_view text);  // replaces the edit box's text, as typed
    Outcome Tick(int row, bool value);               // clicks the row's check box unless it shows value
    Outcome ClickRow(int row);
    Outcome DblClickRow(int row);
    Outcome Key(WORD vk);                   // focuses the list, then the key
    Outcome Header(int column);
    Outcome Resize(int width, int height);  // the dialog's client area becomes width x height cells
    Outcome Close();                        // WM_CLOSE
    // Done (ok) once no posted message is pending and the control busyControlId is disabled (or absent),
    // "timeout" once timeoutMs have passed since the first call; nothing while neither: call it again.
    std::optional<Outcome> WaitIdle(int timeoutMs, int busyControlId);

    // The dialog as painted, one UTF-8 line a row of cells.
    std::vector<std::string> Screen() const;
    // caption, size, controls, list, combo and screen, then what the extension adds.
    nlohmann::json State() const;
    void SetStateExtension(StateExtension extension) { extension_ = std::move(extension); }

    // The automation commands, one JSON object each: {"op":"state"}, click, select, type, tick, clickRow,
    // dblclickRow, key, header, resize, wait, close. Answers {"ok":true,...} or {"ok":false,"error":...}; a
    // malformed command is refused before anything happens. While a wait is pending the answer is null:
    // run the same command again from a later step (CommandStep does).
    nlohmann::json Command(const nlohmann::json& command);
    // One line of an automation script read as a command: exactly one JSON value, or a discarded value
    // (is_discarded()) for anything else, a NUL byte included, which the JSON reader would take for the
    // end of the line and so run what stands before it.
    static nlohmann::json ReadCommand(std::string_view line);
    // The control whose enabling means "busy" to the wait command.
    void SetBusyControl(int id) { busyControl_ = id; }

private:
    using Clock = std::chrono::steady_clock;

    HWND dialog_ = nullptr;
    std::deque<Step> steps_;
    bool closePosted_ = false;
    std::optional<Clock::time_point> waitDeadline_;
    int busyControl_ = 0;
    StateExtension extension_;
};

// The same actions on a dialog shown by any front end, for a host that acts for its user (the terminal's
// F7): a click on button `id`, and `text` typed over the text of edit box `id`.
Outcome ClickButton(HWND dialog, int id);
Outcome TypeText(HWND dialog, int id, std::u16string_view text);

}  // namespace headless
