#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contracts/host/Document.h"
#include "hostlibs/run/UrlAnswer.h"

// What a batch run makes of a bot wall (--blocked).
enum class BlockedAs { Warn, Error, Ok };

// One row of the dialog after a check, as the reports show it (UTF-8), with what the host's checker
// learnt of its URL.
struct LinkRecord {
    std::string url;
    std::string result;  // as the dialog shows it: "OK", "リンクエラー", "不明", "チェック停止", or empty
    std::string code;    // the status, or "接続エラー"
    std::string text;
    std::string tag;
    std::string attribute;
    std::optional<int> line;  // of the link's element, 1-based
    std::optional<int> column;
    tarn::UrlAnswer answer;  // the checker's answer for the URL; none for a link the run did not reach
    bool excluded = false;   // left out by --exclude, --include or an ignore marker: never requested
    bool accepted = false;   // not OK, but its status is one --accept names
    std::string blocked;     // a bot wall's reason in words (tarn::blockedReason); empty for none
    BlockedAs blockedAs = BlockedAs::Warn;

    // "excluded", "accepted", "blocked", else as the dialog says: "ok", "error", "unknown" or "stopped"
    // (the run ended before the link's answer).
    const char* key() const;
    // The run's own verdict, which reports show in place of the dialog's result: "excluded", "accepted" or
    // "blocked"; null when the dialog's stands.
    const char* verdict() const;
    // Whether the link fails the run.
    bool isError() const;
    // Whether the link passes: OK, accepted, or a bot wall the run counts as OK.
    bool passes() const;
    // Whether the text report leaves the link out unless asked for every link: OK, left out, or a bot
    // wall the run counts as OK. An accepted link is listed, since it is not OK.
    bool quiet() const;
    int status() const { return answer.status; }
    // A redirect's target, resolved against the URL; empty unless the link answered 3xx.
    std::string_view redirect() const;
    // Why no status came; empty when one did.
    std::string_view failure() const;
    // CODE URL, with -> TARGET for a redirect and [reason] when no status came: a line for a CI tool.
    std::string summary() const;
};

struct Counts {
    int links = 0;
    int ok = 0;
    int errors = 0;
    int undetermined = 0;
    int excluded = 0;
    int accepted = 0;
    int blocked = 0;  // bot walls that neither fail the run nor count as OK

    void add(const LinkRecord& link);
    void add(const Counts& other);
};

// A fix of one link: made (or, in a dry run, that would be), or left alone and why.
struct FixRecord {
    std::string from;
    std::string to;
    std::string why;  // replaced: "redirect"; skipped: the reason ("site root", "login page", "another host")
    std::optional<int> line;  // of the link's element
    std::optional<int> column;
};

// What the fixes change in a page's bytes, for a patch and the SARIF report.
struct PageChange {
    std::string original;  // the page's bytes as read
    std::vector<ByteEdit> edits;
};

// One page of the run.
struct PageRecord {
    std::string path;
    std::optional<std::string> failure;  // why the page could not be checked
    std::vector<LinkRecord> links;
    double seconds = 0;
    std::vector<FixRecord> replaced;       // fixes that answered "OK" and were written (or would be)
    std::vector<FixRecord> skipped;        // fixes that were not tried: suspect redirects
    std::optional<PageChange> change;      // when the fixes changed the page
    std::optional<std::string> writtenTo;  // where the corrected page went

    Counts counts() const;
};

// Everything a run found, for the reports.
struct RunRecord {
    std::vector<PageRecord> pages;
    double seconds = 0;
    bool interrupted = false;  // a signal stopped the run; later pages were not checked
    bool dryRun = false;       // the fixes were made in the dialog but no page was written

    Counts counts() const;
};
