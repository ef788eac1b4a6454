#include "app/TerminalRun.h"

#include <filesystem>

#include "app/HostWindow.h"
#include "app/StopSignals.h"
#include "platform/win/Utf8.h"

namespace {

tui::HostView hostView(const HostWindow& window, const std::string& pagePath) {
    const std::string name = std::filesystem::path(pagePath).filename().string();
    return {win::DecodeUtf8("tarnlink: " + name), [&window] { return window.statusText(); }};
}

}  // namespace

TerminalRun::TerminalRun(const HostWindow& window, const std::string& pagePath, const StopSignals& signals)
    : frontEnd_(terminal_, hostView(window, pagePath), signals.fd()) {}
