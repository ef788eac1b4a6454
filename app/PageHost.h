#pragma once
#include <string>
#include <vector>

#include "contracts/host/CPluginHost.h"

// One call the module made on the host, with its arguments as numbers (a window: 1, or 0 for null).
struct HostCall {
    std::string op;
    std::vector<long long> args;
    friend bool operator==(const HostCall&, const HostCall&) = default;
};

// The host object over a loaded page. The walk roots are the elements whose ids were given
// (`--root ID`), in the given order; when any was given, only the roots are walked. Every call
// the module makes is logged in order.
class PageHost : public CPluginHost {
public:
    PageHost(Document& document, std::vector<std::u16string> rootIds, CWnd* hostWindow = nullptr);

    CWnd* getHostWindow() override;
    Document* getDocument() override;
    bool useCheckRoots() override;
    int notifyUpdate(int reserved, unsigned int flags, int reserved2) override;
    int notifyLinkElementRemoved(int count) override;
    void getCheckRoots(CTypedPtrArray<CPtrArray, Element*>& roots) override;
    int notifyBeforeDialog(CWnd* hostWindow, int reason) override;

    const std::vector<HostCall>& calls() const { return calls_; }
    // The given ids that name no element of the page.
    std::vector<std::u16string> missingRoots() const;
    // The module wrote corrections into the page (notifyUpdate with PLUGIN_UPDATE_DOCUMENT).
    bool documentChanged() const { return documentChanged_; }

private:
    void log(std::string op, std::vector<long long> args = {});

    Document& document_;
    std::vector<std::u16string> rootIds_;
    CWnd* hostWindow_;
    std::vector<HostCall> calls_;
    bool documentChanged_ = false;
};
