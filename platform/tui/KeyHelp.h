#pragma once

#include <string>
#include <vector>

namespace tui {

// The key help the host shows over a dialog (F1, the Help button): one line of text each.
const std::vector<std::u16string>& KeyHelpLines();

}  // namespace tui
