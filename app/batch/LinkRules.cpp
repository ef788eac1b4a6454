#include "app/batch/LinkRules.h"

#include <string_view>

void applyRules(LinkRecord& link, const LinkRules& rules) {
    const std::string_view key = link.key();
    if (key == "ok" || key == "stopped" || key == "excluded")
        return;
    if (rules.accepted && rules.accepted->contains(link.status())) {
        link.accepted = true;
        return;
    }
    link.blocked = tarn::blockedReason(link.answer);
    link.blockedAs = rules.blocked;
}
