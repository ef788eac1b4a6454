#pragma once
#include "platform/afx/CStringArray.h"

// The editor's shared parameters that do not belong to one dialog; here, where the running web browsers
// are reached.
class CParamEngineer {
public:
    // The browsers the editor knows how to ask for the page they show.
    enum BROWSER_ID {
        BROWSER_DEFAULT = 10,  // the browser the user runs, whichever it is
    };

    static CParamEngineer* getInstance();

    CParamEngineer(const CParamEngineer&) = delete;
    CParamEngineer& operator=(const CParamEngineer&) = delete;

    // Appends the topics under which `browser` answers Cci, one "host:port" endpoint each, in the order
    // the user gave them: the per-user option "browserEndpoints" (text, ';' between endpoints), or
    // "127.0.0.1:9222" when it is not set. A browser the editor does not know has none.
    void getDDEBrowserTopic(BROWSER_ID browser, CStringArray& topics);

private:
    CParamEngineer() = default;
};
