#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/PageHost.h"
#include "module/dlg/CTarnLinkCheckDlg.h"
#include "contracts/host/Document.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "platform/headless/HeadlessFrontEnd.h"

namespace dialogtest {

using Step = headless::HeadlessFrontEnd::Step;

// Each test gets its own registry (a fresh XDG_CONFIG_HOME) and the module's resources in the chain, as the
// module's start-up puts them there.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets Software\Tarn\Tarnpage\Options\isLinkCheckManualStart.
    static void SetManualStart(DWORD value);
    // The value, or -1 when it is absent.
    static long long ManualStartValue();

private:
    std::filesystem::path home_;
};

// A page parsed by our document, its host object, and the link check dialog run modally over it by the
// headless front end.
class DialogRun {
public:
    explicit DialogRun(const std::string& html);

    // Runs the dialog; the steps run as the user, one after the other, and the dialog is closed when they
    // are done. Returns the modal result.
    INT_PTR Run(std::vector<Step> steps);

    // Valid while Run runs (inside steps).
    CTarnLinkCheckDlg& dialog() { return *dialog_; }
    CTarnLinkCheckItem* item(int index) { return dialog_->linkList->getItem(index); }
    // The list's rows as their column-0 text.
    std::vector<std::u16string> rowUrls();
    std::vector<bool> rowTicks();
    std::u16string cell(int row, int column);
    bool enabled(int id);

    Document& document() { return *document_; }
    PageHost& host() { return *host_; }

private:
    std::unique_ptr<Document> document_;
    std::unique_ptr<PageHost> host_;
    CTarnLinkCheckDlg* dialog_ = nullptr;
};

// A step that runs `action` once and is done.
Step Do(std::function<void(headless::HeadlessFrontEnd&)> action);
// A step that is done when the check run has ended: nothing posted is pending and Stop is disabled
// again; a failure after `timeoutMs`.
Step AfterTheRun(int timeoutMs = 20000);

// A page with one anchor per URL, the anchor's text being "link N".
std::string AnchorPage(const std::vector<std::string>& urls);

}  // namespace dialogtest
