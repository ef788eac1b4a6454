#include "contracts/host/CBrokenLinkTable.h"
#include "contracts/host/CExtenUrlChecker.h"
#include "contracts/host/Url.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "platform/win/WinBase.h"

void CTarnLinkCheckItems::checkLink(int index, const CString& url) {
    CString target(url);
    {
        // A URL that differs only in its parameters (";jsessionid=...") names the same resource.
        Url parsed(target);
        const CString params = parsed.get_element(tarn::URL_PARAMS);
        if (!params.IsEmpty())
            target = parsed.get_url_woparams();
    }
    if (brokenLinks && brokenLinks->exists(target)) {
        notifyResult(index, 0);
        return;
    }
    int status = 0;
    notifyChecking(index);
    CExtenUrlChecker* c = getChecker(true);
    bool ok = c->getHeaderStatus(target, status, false);
    // A 404 may be a server's passing state: ask again a few times, pausing after each repeat.
    for (int repeat = 0; status == 404 && repeat < notFoundRetries; ++repeat) {
        ok = c->getHeaderStatus(target, status, false);
        Sleep(50);
    }
    if (ok) {
        notifyResult(index, status);
    } else {
        notifyResult(index, 0);
        if (brokenLinks)
            brokenLinks->Add(target, false);
    }
}
