#pragma once

// Exit codes of `tarnlink --check`.
constexpr int BATCH_CLEAN = 0;        // no link is a link error
constexpr int BATCH_LINK_ERRORS = 1;  // some link is
constexpr int BATCH_FAILED = 2;       // usage, file or module errors (the other pages were still checked)
