#include "app/batch/DialogDriver.h"

#include "app/HostWindow.h"
#include "app/StopSignals.h"
#include "app/batch/Progress.h"
#include "contracts/dialog/LinkCheckFace.h"
#include "hostlibs/run/CheckJournal.h"
#include "hostlibs/url/AskedUrl.h"
#include "platform/afx/CWinThread.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/ListViewText.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace {

// A run may take as long as its links take; the signals end it sooner.
constexpr int kRunTimeoutMs = 24 * 60 * 60 * 1000;
// A worker's steps after its last report take microseconds; this only bounds a wait that cannot end.
constexpr DWORD kWorkerEndMs = 1000;
// Rows double-clicked per step: between steps the dialog serves the check's messages.
constexpr int kPositionsPerStep = 512;

bool enabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

bool ticked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int rowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string cellText(HWND list, int row, linkcheck::Column column) {
    return win::EncodeUtf8(ListViewText(list, row, column));
}

}  // namespace

DialogDriver::DialogDriver(const HostWindow& window, const StopSignals& signals, Progress* progress,
                           std::string page, const tarn::CheckJournal& journal, Exclusion exclusion,
                           Planner planner)
    : window_(window),
      signals_(signals),
      progress_(progress),
      page_(std::move(page)),
      journal_(journal),
      exclusion_(std::move(exclusion)),
      planner_(std::move(planner)) {}

headless::HeadlessFrontEnd::Step DialogDriver::step() {
    return [this](headless::HeadlessFrontEnd& frontEnd) { return advance(frontEnd); };
}

// Each call does one bounded piece and comes back as a new step (true), or waits for the dialog's
// messages (false). A phase that ends the dialog returns true without a new step: with no step left the
// front end closes the dialog as Cancel, unless OK has ended it already.
bool DialogDriver::advance(headless::HeadlessFrontEnd& frontEnd) {
    if (!interrupted_ && signals_.arrived() && stopOnSignal(frontEnd))
        return true;
    switch (phase_) {
        case Phase::Begin:
            begin(frontEnd);
            break;
        case Phase::Positions:
            findPositions(frontEnd);
            break;
        case Phase::Start:
            if (leaveOutExcluded() && pressStart_)
                frontEnd.Click(IDC_START);
            phase_ = Phase::Run;
            break;
        case Phase::Run:
        case Phase::FixRun: {
            if (phase_ == Phase::Run)
                showProgress();
            const std::optional<headless::Outcome> idle = frontEnd.WaitIdle(kRunTimeoutMs, IDC_STOP);
            if (!idle)
                return false;
            // The worker's last steps follow its report that the run ended, and the dialog's end (or next
            // Start) waits for them by polling every 50 ms: the driver, faster than any user, lets them
            // pass first.
            AfxWaitForThreadsToEnd(kWorkerEndMs);
            if (progress_ != nullptr)
                progress_->clear();
            if (phase_ == Phase::FixRun) {
                reviewFixes(frontEnd);
                return true;
            }
            phase_ = Phase::Read;
            break;
        }
        case Phase::Read:
            readRows();
            if (!planner_ || interrupted_)
                return true;
            startFixes(frontEnd);
            if (phase_ == Phase::Done)
                return true;
            break;
        case Phase::FixApply:
            applyFix(frontEnd);
            break;
        case Phase::Done:
            return true;
    }
    frontEnd.AddStep(step());
    return true;
}

// A signal: the dialog's Stop ends a run under way, and what was checked is read once it has ended;
// without a run the rows are read now. True when the driver ends here.
bool DialogDriver::stopOnSignal(headless::HeadlessFrontEnd& frontEnd) {
    interrupted_ = true;
    HWND dialog = frontEnd.Dialog();
    if (enabled(dialog, IDC_STOP)) {
        frontEnd.Click(IDC_STOP);
        if (phase_ != Phase::FixRun)
            phase_ = Phase::Run;
        return false;
    }
    if (phase_ == Phase::Run || phase_ == Phase::FixRun)
        return false;
    if (rows_.empty()) {
        list_ = GetDlgItem(dialog, IDC_LINK_LIST);
        readRows();
    }
    return true;
}

void DialogDriver::begin(headless::HeadlessFrontEnd& frontEnd) {
    HWND dialog = frontEnd.Dialog();
    list_ = GetDlgItem(dialog, IDC_LINK_LIST);
    count_ = list_ != nullptr ? rowCount(list_) : 0;
    positions_.assign(static_cast<std::size_t>(count_), std::nullopt);
    // The automatic start has run its first message before any step: a run under way has Stop enabled.
    pressStart_ = !enabled(dialog, IDC_STOP) && ticked(dialog, IDC_MANUAL_START);
    phase_ = Phase::Positions;
}

// The dialog's own way to a link's element: a double click moves the editor's source cursor there and
// tells the host window, which notes where the cursor stands.
void DialogDriver::findPositions(headless::HeadlessFrontEnd& frontEnd) {
    const int end = std::min(count_, next_ + kPositionsPerStep);
    for (; next_ < end; ++next_) {
        const std::size_t before = window_.messages().size();
        frontEnd.DblClickRow(next_);
        if (window_.messages().size() != before)
            positions_[static_cast<std::size_t>(next_)] = window_.sourceCursor();
    }
    if (next_ == count_)
        phase_ = Phase::Start;
}

// Unticks the excluded rows through the list view, as a click on their boxes would; true when some row
// is still ticked, so that Start has something to check.
bool DialogDriver::leaveOutExcluded() {
    excluded_.assign(static_cast<std::size_t>(count_), false);
    bool anyTicked = false;
    for (int row = 0; row < count_; ++row) {
        const auto index = static_cast<std::size_t>(row);
        if (exclusion_ && exclusion_(cellText(list_, row, linkcheck::COLUMN_URL), positions_[index])) {
            excluded_[index] = true;
            LVITEMW item{};
            item.stateMask = LVIS_STATEIMAGEMASK;
            item.state = INDEXTOSTATEIMAGEMASK(1);
            SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
        const LRESULT state = SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
        anyTicked = anyTicked || static_cast<UINT>(state) == INDEXTOSTATEIMAGEMASK(2);
    }
    return anyTicked;
}

void DialogDriver::showProgress() {
    if (progress_ == nullptr || list_ == nullptr || !IsWindow(list_))
        return;
    // The row being checked is the selected one, and the rows are checked in order.
    const int row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const std::string url = row >= 0 ? cellText(list_, row, linkcheck::COLUMN_URL) : std::string();
    progress_->show(page_, row >= 0 ? row : 0, count_, url);
}

void DialogDriver::readRows() {
    rows_.clear();
    if (list_ == nullptr || !IsWindow(list_))
        return;
    const int count = rowCount(list_);
    rows_.resize(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        LinkRecord& out = rows_[static_cast<std::size_t>(row)];
        const std::u16string url = ListViewText(list_, row, linkcheck::COLUMN_URL);
        out.url = win::EncodeUtf8(url);
        out.result = cellText(list_, row, linkcheck::COLUMN_RESULT);
        out.code = cellText(list_, row, linkcheck::COLUMN_CODE);
        out.text = cellText(list_, row, linkcheck::COLUMN_TEXT);
        out.tag = cellText(list_, row, linkcheck::COLUMN_TAG);
        out.attribute = cellText(list_, row, linkcheck::COLUMN_ATTR);
        if (static_cast<std::size_t>(row) < positions_.size() && positions_[static_cast<std::size_t>(row)]) {
            out.line = static_cast<int>(positions_[static_cast<std::size_t>(row)]->line);
            out.column = static_cast<int>(positions_[static_cast<std::size_t>(row)]->column);
        }
        out.excluded = static_cast<std::size_t>(row) < excluded_.size() && excluded_[static_cast<std::size_t>(row)];
        // A link the run did not reach has no answer of its own, though its URL may have one.
        if (!out.excluded && out.key() != std::string_view("stopped")) {
            if (std::optional<tarn::UrlAnswer> answer = journal_.find(tarn::askedUrl(CString(url)).ToUtf8()))
                out.answer = std::move(*answer);
        }
    }
    positions_.clear();
    positions_.shrink_to_fit();
}

void DialogDriver::startFixes(headless::HeadlessFrontEnd& frontEnd) {
    FixPlan plan = planner_(rows_);
    fixes_ = std::move(plan.fixes);
    skipped_ = std::move(plan.skipped);
    if (fixes_.empty() || signals_.arrived()) {
        phase_ = Phase::Done;
        return;
    }
    // Only the fixed rows take part in the second run: Apply ticks each one it records.
    frontEnd.Click(IDC_CLEAR_ALL);
    next_ = 0;
    phase_ = Phase::FixApply;
}

// One fix per step, through the correction panel as a user would enter it.
void DialogDriver::applyFix(headless::HeadlessFrontEnd& frontEnd) {
    const RowFix& fix = fixes_[static_cast<std::size_t>(next_)];
    frontEnd.ClickRow(fix.row);
    frontEnd.Click(IDC_CHANGE_URL_RADIO);
    frontEnd.Type(IDC_NEW_URL, fix.url);
    frontEnd.Click(IDC_APPLY);
    if (++next_ < static_cast<int>(fixes_.size()))
        return;
    frontEnd.Click(IDC_START);
    phase_ = Phase::FixRun;
}

void DialogDriver::reviewFixes(headless::HeadlessFrontEnd& frontEnd) {
    phase_ = Phase::Done;
    if (interrupted_)
        return;
    for (const RowFix& fix : fixes_) {
        if (ListViewText(list_, fix.row, linkcheck::COLUMN_RESULT) == linkcheck::RESULT_OK) {
            kept_.push_back(fix);
            continue;
        }
        frontEnd.ClickRow(fix.row);
        frontEnd.Click(IDC_UNDO);
    }
    if (!kept_.empty())
        frontEnd.Click(IDOK);
}
