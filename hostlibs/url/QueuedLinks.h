#pragma once
#include <optional>
#include <vector>

#include "hostlibs/url/AskedUrl.h"
#include "platform/win/WinTypes.h"

namespace tarn {

// The requests a check of the link check dialog is about to make, as the dialog shows its links: the URL
// column of its list view's ticked rows, top to bottom (the page's order unless the user sorted the list),
// each as the worker will ask for it; links that are no http or https URL are left out.
// Start queues exactly the ticked rows, so every one is asked for by the worker unless the user changes the
// ticks meanwhile; links queued otherwise (left pending by a stopped check, hidden by the filter) are
// missing, and the worker asks for those itself.
// Read through the list view's own messages, so it is safe from the worker's thread. None when the
// window has no list view.
std::optional<std::vector<LinkRequest>> queuedRequests(HWND dialog);

}  // namespace tarn
