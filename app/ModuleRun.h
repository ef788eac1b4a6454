#pragma once
#include <memory>
#include <string>

#include "hostlibs/run/RunContext.h"

class PageHost;
class PluginModule;

namespace win {
class ModalFrontEnd;
}

// One call of the module's entry as the editor makes it, for a page: on this thread, the dialog under a
// front end, the program's run in effect. The entry gives no result, so what became of it is read from
// what happened: an exception that left it, whether its dialog's modal loop started, whether it
// changed the page (notifyUpdate, which only follows a dialog that ran).
class ModuleRun {
public:
    ModuleRun(const PluginModule& module, PageHost& host, std::shared_ptr<tarn::RunContext> run);

    // True when the dialog ran (or the page was changed) and nothing escaped the entry.
    bool run(win::ModalFrontEnd& frontEnd);
    // After a failed run, for a person: "the link check failed: WHAT" or "the link check dialog could not
    // be opened".
    const std::string& failure() const { return failure_; }
    // The failure was an exception: whatever the module did to the page must not be saved.
    bool threw() const { return threw_; }

private:
    const PluginModule& module_;
    PageHost& host_;
    std::shared_ptr<tarn::RunContext> run_;
    std::string failure_;
    bool threw_ = false;
};
