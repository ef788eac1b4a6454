#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One row of the dialog after a check, as the reports show it (UTF-8), with what the host's checker
// kept of its URL.
struct LinkRecord {
    std::string url;
    std::string result;  // as the dialog shows it: "OK", "リンクエラー", "不明", "チェック停止", or empty
    std::string code;    // the status, or "接続エラー"
    std::string text;
    std::string tag;
    std::string attribute;
    std::optional<int> line;  // of the link's element, 1-based
    std::optional<int> column;
    int status = 0;
    std::string redirect;  // a redirect's target, resolved against the URL
    std::string failure;   // why no status came

    // "ok", "error", "unknown" or "stopped" (the run ended before the link's answer).
    const char* key() const;
    bool isError() const;
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
