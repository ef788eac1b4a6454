#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/batch/LinkRecord.h"
#include "contracts/host/Document.h"
#include "platform/headless/HeadlessFrontEnd.h"

class HostWindow;
class Progress;
class StopSignals;
namespace tarn {
class CheckJournal;
}

// A replacement URL for a row, and why it is made ("redirect").
struct RowFix {
    int row;
    std::u16string url;
    const char* why;
};

// A fix that was found but is not tried, and the reason.
struct SkippedFix {
    int row;
    std::string to;
    std::string reason;
};

struct FixPlan {
    std::vector<RowFix> fixes;
    std::vector<SkippedFix> skipped;
};

// Drives the link check dialog as a user would, one step at a time on its thread: it double-clicks
// every row to learn where its element stands (the dialog moves the editor's source cursor there),
// unticks the rows left out of the run, lets the automatic run finish or presses Start when the run starts
// by hand (and some row is still ticked), and reads the rows, each
// with the answer the page's journal holds for its URL.
// With a planner it then records the planned fixes in the correction panel, checks them with the
// dialog's own second run, undoes those that do not answer "OK" and ends with OK; otherwise, and after
// a stop signal (the dialog's Stop), it closes the dialog as Cancel.
class DialogDriver {
public:
    // Given the rows after the first run, the fixes to try and those left alone; may ask the network, on
    // the dialog's thread.
    using Planner = std::function<FixPlan(const std::vector<LinkRecord>&)>;
    // Whether a row's link is left out of the run, by its URL and its element's place; such rows are
    // unticked before Start, so they are never requested.
    using Exclusion = std::function<bool(const std::string& url, const std::optional<SourcePosition>& place)>;

    DialogDriver(const HostWindow& window, const StopSignals& signals, Progress* progress, std::string page,
                 const tarn::CheckJournal& journal, Exclusion exclusion, Planner planner = {});

    headless::HeadlessFrontEnd::Step step();

    // The rows as a user sees them (URL, result, code, text, tag, attribute) with the place of each
    // link's element and its URL's answer; for the caller to take.
    std::vector<LinkRecord>& rows() { return rows_; }
    // The fixes that answered "OK" and were kept.
    const std::vector<RowFix>& kept() const { return kept_; }
    // The fixes the planner left alone.
    const std::vector<SkippedFix>& skipped() const { return skipped_; }
    bool interrupted() const { return interrupted_; }

private:
    enum class Phase { Begin, Positions, Start, Run, Read, FixApply, FixRun, Done };

    bool advance(headless::HeadlessFrontEnd& frontEnd);
    void begin(headless::HeadlessFrontEnd& frontEnd);
    void findPositions(headless::HeadlessFrontEnd& frontEnd);
    bool leaveOutExcluded();
    void readRows();
    void showProgress();
    void startFixes(headless::HeadlessFrontEnd& frontEnd);
    void applyFix(headless::HeadlessFrontEnd& frontEnd);
    void reviewFixes(headless::HeadlessFrontEnd& frontEnd);
    bool stopOnSignal(headless::HeadlessFrontEnd& frontEnd);

    const HostWindow& window_;
    const StopSignals& signals_;
    Progress* progress_;
    std::string page_;
    const tarn::CheckJournal& journal_;
    Exclusion exclusion_;
    Planner planner_;

    Phase phase_ = Phase::Begin;
    HWND list_ = nullptr;
    int count_ = 0;
    int next_ = 0;  // the next row (Positions) or fix (FixApply) to handle
    bool pressStart_ = false;
    bool interrupted_ = false;
    std::vector<std::optional<SourcePosition>> positions_;
    std::vector<bool> excluded_;  // by row
    std::vector<LinkRecord> rows_;
    std::vector<RowFix> fixes_;
    std::vector<RowFix> kept_;
    std::vector<SkippedFix> skipped_;
};
