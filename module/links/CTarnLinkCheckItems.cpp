#include "module/links/CTarnLinkCheckItems.h"

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
    // The check engine's teardown (wait for the worker, release the cache and the checker, stop)
    // comes first once the engine exists; then the items go.
    clearItems();
    activeLinkList = nullptr;
}

void CTarnLinkCheckItems::clearItems() {
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        delete items.GetAt(i);
    items.SetSize(0);
}
