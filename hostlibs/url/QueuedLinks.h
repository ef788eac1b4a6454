#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

namespace tarn {

// The links a run of the link check dialog is about to ask for, as the dialog shows them: the URL column
// of its list view's ticked rows, top to bottom (the page's order unless the user sorted the list).
// Start queues exactly the ticked rows, so every URL here is one the worker will ask for unless the user
// changes the ticks meanwhile; links queued otherwise (left pending by a stopped run, hidden by the
// filter) are missing, and the worker asks for those itself.
// Read through the list view's own messages, so it is safe from the worker's thread. Nothing when the
// window has no list view.
std::optional<std::vector<std::u16string>> queuedLinks(HWND dialog);

}  // namespace tarn
