#include "app/TerminalRun.h"

#include <filesystem>

#include "app/HostWindow.h"
#include "app/StopSignals.h"
#include "platform/win/Utf8.h"

namespace {

tui::HostView hostView(const HostWindow& window, const RedirectKey& redirect, const std::string& pagePath) {
    const std::string name = std::filesystem::path(pagePath).filename().string();
    auto status = [&window, &redirect](HWND dialog) {
        const std::u16string lead = redirect.status(dialog);
        return lead.empty() ? window.statusText() : lead + u" · " + window.statusText();
    };
    return {win::DecodeUtf8("tarnlink: " + name), status, [&redirect](HWND dialog) { redirect.enter(dialog); }};
}

}  // namespace

TerminalRun::TerminalRun(const HostWindow& window, const std::string& pagePath, const StopSignals& signals,
                         const tarn::CheckJournal& journal)
    : redirect_(journal), frontEnd_(terminal_, hostView(window, redirect_, pagePath), signals.fd()) {}
