#pragma once
#include <string>
#include <vector>

#include "platform/afx/CStringArray.h"
#include "platform/win/WinTypes.h"

// A client that asks a running web browser for the page it shows, through the topics of
// CParamEngineer::getDDEBrowserTopic: each topic is the "host:port" of a browser's remote debugging HTTP
// endpoint, whose /json/list names the browser's pages.
class Cci {
public:
    // What GetWindowInfo fills in; -1 asks for everything.
    static constexpr DWORD WINDOW_INFO_URL = 0x1;
    static constexpr DWORD WINDOW_INFO_TITLE = 0x2;

    // The window is the editor's side of the conversation; the HTTP endpoint needs none, and null will do.
    Cci(const CStringArray& topics, HWND hWnd);

    // Asks the topics in order, each for about a second at most, and takes the first page of the first one
    // that answers with one. TRUE with its URL and title in `url` and `title` (those `flags` asks for);
    // FALSE, with both untouched, when no topic answers with a page.
    BOOL GetWindowInfo(CString& url, CString& title, DWORD flags);

private:
    std::vector<std::string> topics_;  // UTF-8, as libcurl takes them
};
