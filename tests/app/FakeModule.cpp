// A stand-in for the link check module that behaves as TARN_FAKE_MODULE names, so the host program's
// handling of each case can be seen without a person at a dialog: "refuse" (the table is refused),
// "no-entry" (the table is accepted and left empty), "no-dialog" (the entry's dialog cannot be made),
// "throw-std", "throw-framework" and "throw-other" (an exception leaves the entry), and "correct" (the
// first A's href becomes http://127.0.0.1:9/fixed and the host hears of it, as after OK; with
// TARN_FAKE_TOUCH set to the page's path, the page changes on disk meanwhile; with TARN_FAKE_REMOVE, it
// is deleted).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "contracts/host/CPluginHost.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CException.h"

namespace {

std::string behaviour() {
    const char* value = std::getenv("TARN_FAKE_MODULE");
    return value ? value : "";
}

void fakeEntry(CPluginHost* host) {
    const std::string what = behaviour();
    CWnd* window = host->getHostWindow();
    if (what == "no-dialog") {
        // No module registered a template with this id.
        CDialog dialog(64999, window);
        dialog.DoModal();
    } else if (what == "throw-std") {
        throw std::runtime_error("the fake module failed");
    } else if (what == "throw-framework") {
        AfxThrowInvalidArgException();
    } else if (what == "throw-other") {
        throw 7;
    } else if (what == "correct") {
        Document* document = host->getDocument();
        for (Node* node = document; node; node = document->findNextNode(node, document, false, true)) {
            if (node->getNodeType() == Node::ELEMENT_NODE && static_cast<Element*>(node)->getTagName() == u"A") {
                static_cast<Element*>(node)->setAttribute(u"href", u"http://127.0.0.1:9/fixed");
                break;
            }
        }
        if (const char* touched = std::getenv("TARN_FAKE_TOUCH"))
            std::ofstream(touched, std::ios::app) << "<!-- edited elsewhere -->";
        if (const char* removed = std::getenv("TARN_FAKE_REMOVE"))
            std::remove(removed);
        host->notifyUpdate(0, PLUGIN_UPDATE_DOCUMENT, 0);
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int FSetFunctionAddress(void* table, void*, int, int) {
    const std::string what = behaviour();
    if (what == "refuse")
        return 3;
    if (what == "no-entry")
        return 0;
    void (*entry)(CPluginHost*) = &fakeEntry;
    std::memcpy(static_cast<char*>(table) + 1112, &entry, sizeof entry);
    return 0;
}
