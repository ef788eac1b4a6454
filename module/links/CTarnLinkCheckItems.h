#pragma once
#include <atomic>
#include <string>

#include "module/links/CSharedTexts.h"
#include "module/links/CTarnLinkCheckItem.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTypedPtrArray.h"
#include "platform/win/WinBase.h"

class CBrokenLinkTable;
class CExtenUrlChecker;
class CPluginHost;
class CWinThread;
class CWnd;
class Element;
class Node;

// The links of the open page, in document order, and the state of the check engine. The dialog
// owns exactly one, made when it is made: the constructor collects the page's links.
class CTarnLinkCheckItems : public CObject {
public:
    explicit CTarnLinkCheckItems(CPluginHost* host);
    ~CTarnLinkCheckItems() override;

    void clearItems();
    int getCount() const { return static_cast<int>(items.GetSize()); }
    // An index outside 0 .. count - 1 throws the framework's invalid-argument exception.
    CTarnLinkCheckItem* getItem(int index) const { return items.GetAt(index); }

    // The check engine. startCheck begins a run on a worker thread (false when none could be begun).
    bool startCheck();
    void stopCheck();
    void setStopRequest(bool value);
    void waitForWorker();
    CExtenUrlChecker* getChecker(bool create);
    void releaseChecker(bool clearClient);
    void createBrokenLinkTable();
    void releaseBrokenLinkTable();
    // The worker's reports to notifyWnd: dropped when it is null or its window is gone.
    void notifyChecking(int index);
    void notifyResult(int index, int status);
    void notifyFinished();
    static UINT checkThreadProc(LPVOID list);
    void checkLink(int index, const CString& url);

    // Applies every item's correction in list order; true when any was applied.
    bool applyCorrections(bool& linkElementRemoved);

    // Collection of the page's links.
    void collectLinks(CPluginHost* host);
    void collectFromRoot(CPluginHost* host, Node* root);
    void addLink(Element* element, const std::u16string& attrName, const CString& text);
    bool relHasToken(Element* element, const std::u16string& rel, const std::u16string& token);

    CTypedPtrArray<CPtrArray, CTarnLinkCheckItem*> items;  // owned
    CPluginHost* host;                                     // not owned
    std::atomic<CWnd*> notifyWnd;                          // receives the worker's messages
    std::atomic<unsigned char> stopRequested;
    // Created by the worker while the UI thread may look at it (Stop), so it is atomic as well.
    std::atomic<CExtenUrlChecker*> checker;
    CBrokenLinkTable* brokenLinks;
    std::atomic<CWinThread*> workerThread;  // the running mark; never dereferenced here
    int notFoundRetries;
    // The short texts the items and the list's rows share.
    CSharedTexts sharedTexts;

private:
    bool acceptsLink(Element* element);
    // Workers begun and not yet past their very last step, whatever way they end. A worker's tail
    // may still run when the next run begins, so this is a count; the destructor frees nothing the
    // workers use until it is 0.
    std::atomic<int> liveWorkers_{0};
    void addRuleLinks(Element* element);
};

// The list that is alive; the worker stops as soon as it is another.
extern std::atomic<CTarnLinkCheckItems*> activeLinkList;
