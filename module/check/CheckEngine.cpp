#include "module/check/LinkCheckMessages.h"
#include "contracts/host/CBrokenLinkTable.h"
#include "contracts/host/CExtenUrlChecker.h"
#include "contracts/host/CUrlEngineer.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "platform/afx/CWinThread.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinBase.h"

namespace {

// workerThread's value from just before a worker is begun until its object is stored: the worker may
// end (and clear the mark) before AfxBeginThread returns, and must not find the mark set afterwards.
// The mark is only ever compared, never dereferenced.
CWinThread* startingMark() {
    static char mark;
    return reinterpret_cast<CWinThread*>(&mark);
}

}  // namespace

bool CTarnLinkCheckItems::startCheck() {
    waitForWorker();
    setStopRequest(false);
    ++liveWorkers_;
    workerThread = startingMark();
    CWinThread* thread = AfxBeginThread(checkThreadProc, this, 0, 0, 0, nullptr);
    if (!thread) {
        --liveWorkers_;
        workerThread = nullptr;
        return false;
    }
    CWinThread* expected = startingMark();
    workerThread.compare_exchange_strong(expected, thread);
    return true;
}

void CTarnLinkCheckItems::stopCheck() {
    setStopRequest(true);
    if (CExtenUrlChecker* c = getChecker(false))
        c->close();
}

void CTarnLinkCheckItems::setStopRequest(bool value) {
    stopRequested = value ? 1 : 0;
    if (CUrlEngineer* engine = CUrlEngineer::getInstance())
        engine->setStopRequired(value);
}

void CTarnLinkCheckItems::waitForWorker() {
    for (int test = 1; workerThread.load() && test < 2000; ++test)
        Sleep(50);
}

CExtenUrlChecker* CTarnLinkCheckItems::getChecker(bool create) {
    if (!checker.load() && create) {
        auto* made = new CExtenUrlChecker();
        made->ownerWnd = notifyWnd.load();
        made->limit = 20000;
        checker = made;
    }
    return checker.load();
}

void CTarnLinkCheckItems::releaseChecker(bool clearClient) {
    if (CExtenUrlChecker* c = checker.load()) {
        if (clearClient)
            c->clearhttpClient();
        delete c;
        checker = nullptr;
    }
}

void CTarnLinkCheckItems::createBrokenLinkTable() {
    if (!brokenLinks)
        brokenLinks = new CBrokenLinkTable();
}

void CTarnLinkCheckItems::releaseBrokenLinkTable() {
    delete brokenLinks;
    brokenLinks = nullptr;
}

namespace {

// The window the worker reports to, when it still exists.
HWND reportWindow(CWnd* wnd) {
    if (!wnd)
        return nullptr;
    HWND hwnd = wnd->GetSafeHwnd();
    return IsWindow(hwnd) ? hwnd : nullptr;
}

}  // namespace

void CTarnLinkCheckItems::notifyChecking(int index) {
    if (HWND hwnd = reportWindow(notifyWnd.load()))
        SendMessageW(hwnd, WM_LINK_CHECKING, static_cast<WPARAM>(index), 0);
}

void CTarnLinkCheckItems::notifyResult(int index, int status) {
    if (HWND hwnd = reportWindow(notifyWnd.load())) {
        getItem(index)->setCheckState(CHECK_DONE);
        SendMessageW(hwnd, WM_LINK_RESULT, static_cast<WPARAM>(index), status);
    }
}

void CTarnLinkCheckItems::notifyFinished() {
    if (HWND hwnd = reportWindow(notifyWnd.load()))
        SendMessageW(hwnd, WM_CHECK_FINISHED, 0, 0);
}

UINT CTarnLinkCheckItems::checkThreadProc(LPVOID param) {
    auto* list = static_cast<CTarnLinkCheckItems*>(param);
    if (!list)
        return 0;
    list->createBrokenLinkTable();
    for (int i = 0;; ++i) {
        if (activeLinkList.load() != list || i >= list->getCount())
            break;
        CTarnLinkCheckItem* item = list->getItem(i);
        if (!item)
            continue;
        if (list->stopRequested) {
            list->setStopRequest(false);
            break;
        }
        if (item->checkState != CHECK_PENDING || activeLinkList.load() != list)
            continue;
        list->checkLink(i, item->newUrl.IsEmpty() ? item->url : item->newUrl);
    }
    if (activeLinkList.load() == list) {
        list->releaseBrokenLinkTable();
        list->notifyFinished();
        list->setStopRequest(false);
        list->workerThread = nullptr;
    }
    // The last touch of the list: its destructor may free it as soon as this is seen.
    --list->liveWorkers_;
    return 0;
}
