#pragma once
#include "app/options/OptionTable.h"
#include "hostlibs/run/RunOptions.h"

// The options of the host's checker, which the dialog and the batch check both take: how many requests
// at once, how long one link may take, and what every request sends.
OptionTable requestOptionTable(tarn::RequestOptions& options);
