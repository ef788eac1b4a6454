#pragma once
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CTypedPtrArray.h"

class CWnd;
class Document;
class Element;

// Flags of CPluginHost::notifyUpdate.
constexpr unsigned int PLUGIN_UPDATE_SOURCE_CURSOR = 0x00000004;  // the source cursor moved to a link's element
constexpr unsigned int PLUGIN_UPDATE_DOCUMENT = 0x10000004;       // OK wrote corrections into the document

// The host object the editor hands to the module for one invocation. The module never owns it.
class CPluginHost {
public:
    virtual ~CPluginHost() = default;

    virtual CWnd* getHostWindow() = 0;                                   // may be null
    virtual Document* getDocument() = 0;
    virtual bool useCheckRoots() = 0;                                    // walk only getCheckRoots' elements
    virtual int notifyUpdate(int reserved, unsigned int flags, int reserved2) = 0;
    virtual int notifyLinkElementRemoved(int count) = 0;
    virtual void getCheckRoots(CTypedPtrArray<CPtrArray, Element*>& roots) = 0;  // fills an empty array
    virtual int notifyBeforeDialog(CWnd* hostWindow, int reason) = 0;   // before anything reads the document
};
