#include "app/ModuleRun.h"

#include <exception>
#include <optional>

#include "app/ModalWatch.h"
#include "app/PageHost.h"
#include "app/PluginModule.h"
#include "platform/afx/CException.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/Utf8.h"

namespace {

// Calls the entry; an exception that leaves it is described.
std::optional<std::string> callEntry(PluginModule::Entry entry, PageHost& host) {
    try {
        entry(&host);
        return std::nullopt;
    } catch (CException* e) {
        WCHAR text[512] = {};
        std::string message = e->GetErrorMessage(text, 512) ? win::EncodeUtf8(text) : "a framework exception";
        e->Delete();
        return message;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown exception";
    }
}

}  // namespace

ModuleRun::ModuleRun(const PluginModule& module, PageHost& host, std::shared_ptr<tarn::RunContext> run)
    : module_(module), host_(host), run_(std::move(run)) {}

bool ModuleRun::run(win::ModalFrontEnd& frontEnd) {
    failure_.clear();
    threw_ = false;
    ModalWatch watch(frontEnd);
    std::optional<std::string> escaped;
    {
        const tarn::RunScope scope(run_);
        win::SetModalFrontEnd(&watch);
        escaped = callEntry(module_.entry(), host_);
        win::SetModalFrontEnd(nullptr);
    }
    if (escaped) {
        failure_ = "the link check failed: " + *escaped;
        threw_ = true;
        return false;
    }
    if (!watch.started() && !host_.documentChanged()) {
        failure_ = "the link check dialog could not be opened";
        return false;
    }
    return true;
}
