#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostlibs/run/UrlAnswer.h"

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

    // "ok", "error", "unknown" or "stopped" (the run ended before the link's answer).
    const char* key() const;
    bool isError() const;
    int status() const { return answer.status; }
    // A redirect's target, resolved against the URL; empty unless the link answered 3xx.
    std::string_view redirect() const;
    // Why no status came; empty when one did.
    std::string_view failure() const;
};

struct Counts {
    int links = 0;
    int ok = 0;
    int errors = 0;
    int undetermined = 0;

    void add(const LinkRecord& link);
    void add(const Counts& other);
};

// One page of the run.
struct PageRecord {
    std::string path;
    std::optional<std::string> failure;  // why the page could not be checked
    std::vector<LinkRecord> links;
    double seconds = 0;
    std::vector<std::pair<std::string, std::string>> replaced;  // --fix-redirects: old URL, new URL
    std::optional<std::string> writtenTo;                       // where the corrected page went

    Counts counts() const;
};

// Everything a run found, for the reports.
struct RunRecord {
    std::vector<PageRecord> pages;
    double seconds = 0;
    bool interrupted = false;  // a signal stopped the run; later pages were not checked

    Counts counts() const;
};
