#include "module/plugin/LinkCheckEntry.h"

#include "module/dlg/CTarnLinkCheckDlg.h"
#include "contracts/host/CPluginHost.h"

// Exceptions are not caught here: they reach the host, and the dialog's destructor cleans up on the way.
void LinkCheckEntry(CPluginHost* host) {
    if (host == nullptr)
        return;
    CWnd* hostWindow = host->getHostWindow();
    // Before the dialog's construction reads the document.
    if (hostWindow != nullptr)
        host->notifyBeforeDialog(hostWindow, 1);
    CTarnLinkCheckDlg dlg(host, hostWindow, hostWindow);
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.linkElementRemoved)
        host->notifyLinkElementRemoved(1);
    host->notifyUpdate(0, PLUGIN_UPDATE_DOCUMENT, 0);
}
