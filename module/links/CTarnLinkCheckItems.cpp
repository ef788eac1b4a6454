#include "module/links/CTarnLinkCheckItems.h"

#include "platform/win/WinBase.h"

std::atomic<CTarnLinkCheckItems*> activeLinkList{nullptr};

CTarnLinkCheckItems::CTarnLinkCheckItems(CPluginHost* host)
    : host(host),
      notifyWnd(nullptr),
      stopRequested(0),
      checker(nullptr),
      brokenLinks(nullptr),
      workerThread(nullptr),
      notFoundRetries(5) {
    collectLinks(host);
    activeLinkList = this;
}

CTarnLinkCheckItems::~CTarnLinkCheckItems() {
    // A run still going is stopped first, so the wait ends as soon as the request under way is cut
    // off, instead of testing links nobody will see; and the list outlives its worker, however long
    // the wait, since the worker uses the items, the checker and the table to its last step.
    stopCheck();
    waitForWorker();
    while (liveWorkers_ > 0)
        Sleep(50);
    releaseBrokenLinkTable();
    releaseChecker(true);
    stopCheck();
    clearItems();
    activeLinkList = nullptr;
}

void CTarnLinkCheckItems::clearItems() {
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        delete items.GetAt(i);
    items.SetSize(0);
}
