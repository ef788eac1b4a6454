#pragma once
#include <optional>

#include "app/batch/AcceptedCodes.h"
#include "app/batch/LinkRecord.h"

// What a batch run makes of a checked link beyond the dialog's verdict.
struct LinkRules {
    std::optional<AcceptedCodes> accepted;  // --accept
    BlockedAs blocked = BlockedAs::Warn;    // --blocked
};

// Marks a link that is not OK as accepted (its status is one the run accepts) or, failing that, as
// blocked (its answer is a bot wall's).
void applyRules(LinkRecord& link, const LinkRules& rules);
