#pragma once
#include <array>
#include <atomic>
#include <mutex>

#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

// The messages the header checker sends its owner window, always with SendMessageW (the worker waits
// until the dialog has shown the text), in this order for one getHeaderStatus:
//   WM_HTTP_CONNECTING   wParam: host id, lParam: 0     a request to the host starts
//   WM_HTTP_CONNECTED    wParam: host id, lParam: 0     connected (TLS included), waiting for the answer
//   WM_HTTP_PROCESS_DONE wParam: host id, lParam: status the final answer's status arrived
//   WM_HTTP_STATUS_CLEAR wParam: 0, lParam: 0           the check of this URL is over
// A call that gets no answer skips WM_HTTP_PROCESS_DONE (and WM_HTTP_CONNECTED when it never connected).
// The dialog hands wParam and lParam unchanged to the CUrlEngineer text functions below.
constexpr UINT WM_HTTP_CONNECTING = 0x0701;
constexpr UINT WM_HTTP_CONNECTED = 0x0702;
constexpr UINT WM_HTTP_PROCESS_DONE = 0x0703;
constexpr UINT WM_HTTP_STATUS_CLEAR = 0x0704;

// The HTTP engine's process-wide state: the stop flag of a running check, and the texts of the status
// line for the checker's messages. Every member is safe to call from any thread.
class CUrlEngineer {
public:
    static CUrlEngineer* getInstance();

    CUrlEngineer(const CUrlEngineer&) = delete;
    CUrlEngineer& operator=(const CUrlEngineer&) = delete;

    // While set, every getHeaderStatus returns false at once and a running one ends at its next wake-up.
    void setStopRequired(bool stop);
    bool isStopRequired() const;

    // "www.example.com に接続しています..."
    CString getHttpConnecting(unsigned int wParam, long lParam) const;
    // "www.example.com に接続しました。応答を待っています..."
    CString getHttpConnected(unsigned int wParam, long lParam) const;
    // "www.example.com から応答を受信しました: 404 Not Found"
    CString getHttpProcessDone(unsigned int wParam, long lParam) const;

    // Host side: the id the messages carry for `host`. A message's id names its host for the next
    // kRecentHosts ids handed out, far longer than a SendMessageW takes; older ids read as an unnamed server.
    unsigned int rememberHost(const CString& host);

    static constexpr unsigned int kRecentHosts = 16;

private:
    CUrlEngineer() = default;

    CString hostName(unsigned int id) const;

    struct RecentHost {
        unsigned int id = 0;  // 0: empty slot
        CString host;
    };

    std::atomic<bool> stopRequired_{false};
    mutable std::mutex hostsMutex_;  // held only to copy a name in or out
    std::array<RecentHost, kRecentHosts> hosts_;
    unsigned int lastId_ = 0;
};
