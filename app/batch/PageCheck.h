#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/batch/ArchivePlan.h"
#include "app/batch/LinkRecord.h"
#include "app/batch/LinkRules.h"
#include "app/batch/LinkScope.h"
#include "hostlibs/run/RunContext.h"

class PluginModule;
class Progress;
class StopSignals;

// What every page of a run shares.
struct PageCheckSetting {
    const PluginModule& module;
    std::vector<std::u16string> roots;
    const StopSignals& signals;
    Progress* progress;  // null: no progress line
    bool fixRedirects;
    bool fixCrossHost;  // a redirect to another host may be a fix
    std::optional<ArchiveLookup> archive;  // --fix archive: where and for which day (empty: the page's)
    bool dryRun;        // the fixes are made in the dialog and reported, the page is not written
    bool keepChanges;   // the record keeps what the fixes change, for a patch or the SARIF report
    std::shared_ptr<tarn::RunContext> run;  // each page is a page of it
    const LinkScope& scope;
    LinkRules rules;
};

// Runs the module's dialog on one page in the headless front end and gives its rows with the answers the
// host's checker got for them. Links the scope or an ignore marker leaves out are never requested. A page
// that cannot be read or checked gives its failure and no links. With fixRedirects or archive, the fixes that
// answered "OK" are written as the dialog's OK writes them (unless dryRun), and suspect redirects are left
// alone and recorded with the reason.
PageRecord checkPage(const std::string& path, const PageCheckSetting& setting);
