#include "app/batch/DialogDriver.h"

#include "app/HostWindow.h"
#include "app/LinkCheckControls.h"
#include "app/StopSignals.h"
#include "app/batch/ListView.h"
#include "app/batch/Progress.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace {

using namespace linkcheck;

constexpr int kResultColumn = 1;
constexpr char16_t kOk[] = u"OK";

// A run may take as long as its links take; the signals end it sooner.
constexpr int kRunTimeoutMs = 24 * 60 * 60 * 1000;
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

}  // namespace

DialogDriver::DialogDriver(const HostWindow& window, const StopSignals& signals, Progress* progress,
                           std::string page, Planner planner)
    : window_(window), signals_(signals), progress_(progress), page_(std::move(page)), planner_(std::move(planner)) {}

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
            if (pressStart_)
                frontEnd.Click(kStart);
            phase_ = Phase::Run;
            break;
        case Phase::Run:
        case Phase::FixRun: {
            if (phase_ == Phase::Run)
                showProgress();
            const std::optional<headless::Outcome> idle = frontEnd.WaitIdle(kRunTimeoutMs, kStop);
            if (!idle)
                return false;
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
    if (enabled(dialog, kStop)) {
        frontEnd.Click(kStop);
        if (phase_ != Phase::FixRun)
            phase_ = Phase::Run;
        return false;
    }
    if (phase_ == Phase::Run || phase_ == Phase::FixRun)
        return false;
    if (rows_.empty()) {
        list_ = GetDlgItem(dialog, kList);
        readRows();
    }
    return true;
}

void DialogDriver::begin(headless::HeadlessFrontEnd& frontEnd) {
    HWND dialog = frontEnd.Dialog();
    list_ = GetDlgItem(dialog, kList);
    count_ = list_ != nullptr ? ListView(list_).count() : 0;
    positions_.assign(static_cast<std::size_t>(count_), std::nullopt);
    // The automatic start has run its first message before any step: a run under way has Stop enabled.
    pressStart_ = !enabled(dialog, kStop) && ticked(dialog, kManualStart);
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

void DialogDriver::showProgress() {
    if (progress_ == nullptr || list_ == nullptr || !IsWindow(list_))
        return;
    ListView list(list_);
    // The row being checked is the selected one, and the rows are checked in order.
    const int row = list.selected();
    const std::string url = row >= 0 ? win::EncodeUtf8(list.text(row, 0)) : std::string();
    progress_->show(page_, row >= 0 ? row : 0, count_, url);
}

void DialogDriver::readRows() {
    rows_.clear();
    if (list_ == nullptr || !IsWindow(list_))
        return;
    ListView list(list_);
    const int count = list.count();
    rows_.resize(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        LinkRecord& out = rows_[static_cast<std::size_t>(row)];
        out.url = win::EncodeUtf8(list.text(row, 0));
        out.result = win::EncodeUtf8(list.text(row, 1));
        out.code = win::EncodeUtf8(list.text(row, 2));
        out.text = win::EncodeUtf8(list.text(row, 3));
        out.tag = win::EncodeUtf8(list.text(row, 4));
        out.attribute = win::EncodeUtf8(list.text(row, 5));
        if (static_cast<std::size_t>(row) < positions_.size() && positions_[static_cast<std::size_t>(row)]) {
            out.line = static_cast<int>(positions_[static_cast<std::size_t>(row)]->line);
            out.column = static_cast<int>(positions_[static_cast<std::size_t>(row)]->column);
        }
    }
    positions_.clear();
    positions_.shrink_to_fit();
}

void DialogDriver::startFixes(headless::HeadlessFrontEnd& frontEnd) {
    fixes_ = planner_(rows_);
    if (fixes_.empty() || signals_.arrived()) {
        phase_ = Phase::Done;
        return;
    }
    // Only the fixed rows take part in the second run: Apply ticks each one it records.
    frontEnd.Click(kClearAll);
    next_ = 0;
    phase_ = Phase::FixApply;
}

// One fix per step, through the correction panel as a user would enter it.
void DialogDriver::applyFix(headless::HeadlessFrontEnd& frontEnd) {
    const RowFix& fix = fixes_[static_cast<std::size_t>(next_)];
    frontEnd.ClickRow(fix.row);
    frontEnd.Click(kChangeUrl);
    frontEnd.Type(kNewUrl, fix.url);
    frontEnd.Click(kApply);
    if (++next_ < static_cast<int>(fixes_.size()))
        return;
    frontEnd.Click(kStart);
    phase_ = Phase::FixRun;
}

void DialogDriver::reviewFixes(headless::HeadlessFrontEnd& frontEnd) {
    phase_ = Phase::Done;
    if (interrupted_)
        return;
    ListView list(list_);
    for (const RowFix& fix : fixes_) {
        if (list.text(fix.row, kResultColumn) == kOk) {
            kept_.push_back(fix);
            continue;
        }
        frontEnd.ClickRow(fix.row);
        frontEnd.Click(kUndo);
    }
    if (!kept_.empty())
        frontEnd.Click(IDOK);
}
