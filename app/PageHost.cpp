#include "app/PageHost.h"

#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

PageHost::PageHost(Document& document, std::vector<std::u16string> rootIds, CWnd* hostWindow)
    : document_(document), rootIds_(std::move(rootIds)), hostWindow_(hostWindow) {}

void PageHost::log(std::string op, std::vector<long long> args) {
    calls_.push_back({std::move(op), std::move(args)});
}

CWnd* PageHost::getHostWindow() {
    log("getHostWindow");
    return hostWindow_;
}

Document* PageHost::getDocument() {
    log("getDocument");
    return &document_;
}

bool PageHost::useCheckRoots() {
    log("useCheckRoots");
    return !rootIds_.empty();
}

int PageHost::notifyUpdate(int reserved, unsigned int flags, int reserved2) {
    log("notifyUpdate", {reserved, flags, reserved2});
    // Only the whole flag word says the page changed: a double click's flag 4 alone is no reason
    // to save.
    if (flags == PLUGIN_UPDATE_DOCUMENT)
        documentChanged_ = true;
    return 0;
}

int PageHost::notifyLinkElementRemoved(int count) {
    log("notifyLinkElementRemoved", {count});
    return 0;
}

void PageHost::getCheckRoots(CTypedPtrArray<CPtrArray, Element*>& roots) {
    log("getCheckRoots");
    for (const std::u16string& id : rootIds_)
        if (Element* root = document_.getElementById(id))
            roots.Add(root);
}

int PageHost::notifyBeforeDialog(CWnd* hostWindow, int reason) {
    log("notifyBeforeDialog", {hostWindow ? 1 : 0, reason});
    return 0;
}

std::vector<std::u16string> PageHost::missingRoots() const {
    std::vector<std::u16string> missing;
    for (const std::u16string& id : rootIds_)
        if (!document_.getElementById(id))
            missing.push_back(id);
    return missing;
}
