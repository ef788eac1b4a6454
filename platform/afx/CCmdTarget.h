#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CObject.h"
#include "platform/afx/MessageMap.h"
#include "platform/win/WinTypes.h"

// The base of every class that receives messages (windows, threads): the root of the message maps (an
// empty one) and the routing of commands and notifications through them.
class AFX_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override;

    // Runs the handler of command nID with notification code nCode. nCode carries WM_NOTIFY in its high word
    // for a notification (pExtra is then an AFX_NOTIFY*); a high word of 0 means WM_COMMAND. With
    // pHandlerInfo, fills it instead of running the handler. FALSE when no entry handles the command.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
