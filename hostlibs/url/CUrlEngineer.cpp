#include "contracts/host/CUrlEngineer.h"

#include "hostlibs/url/StopFlagCount.h"
#include "hostlibs/url/HttpReason.h"

namespace {

// The subject of a status line whose host id has aged out of the table.
constexpr const char16_t* kUnnamedServer = u"サーバー";

}  // namespace

CUrlEngineer* CUrlEngineer::getInstance() {
    static CUrlEngineer engine;
    return &engine;
}

void CUrlEngineer::setStopRequired(bool stop) {
    stopRequired_.store(stop);
    tarn::noteStopFlagSet();
}

bool CUrlEngineer::isStopRequired() const {
    return stopRequired_.load();
}

unsigned int CUrlEngineer::rememberHost(const CString& host) {
    const std::lock_guard lock(hostsMutex_);
    if (++lastId_ == 0)  // 0 names no host
        lastId_ = 1;
    RecentHost& slot = hosts_[lastId_ % kRecentHosts];
    slot.id = lastId_;
    slot.host = host;
    return lastId_;
}

CString CUrlEngineer::hostName(unsigned int id) const {
    {
        const std::lock_guard lock(hostsMutex_);
        const RecentHost& slot = hosts_[id % kRecentHosts];
        if (id != 0 && slot.id == id && !slot.host.IsEmpty())
            return slot.host;
    }
    return CString(kUnnamedServer);
}

CString CUrlEngineer::getHttpConnecting(unsigned int wParam, long) const {
    return hostName(wParam) + u" に接続しています...";
}

CString CUrlEngineer::getHttpConnected(unsigned int wParam, long) const {
    return hostName(wParam) + u" に接続しました。応答を待っています...";
}

CString CUrlEngineer::getHttpProcessDone(unsigned int wParam, long lParam) const {
    CString text = hostName(wParam) + u" から応答を受信しました: ";
    text.AppendFormat(u"%d", lParam);
    if (const char16_t* reason = tarn::httpReasonPhrase(lParam))
        text.AppendFormat(u" %s", reason);
    return text;
}
