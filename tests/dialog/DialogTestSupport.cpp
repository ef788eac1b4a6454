#include "tests/dialog/DialogTestSupport.h"

#include "hostlibs/dom/HtmlParser.h"
#include "contracts/host/CRegistryBase.h"
#include "contracts/host/CQuorCommon.h"
#include "module/plugin/ModuleStartup.h"
#include "module/res/resource.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/WinReg.h"

#include <cstdlib>
#include <optional>

namespace dialogtest {

namespace {

int moduleImage;

// The module's resources join the chain once for the whole test program, as they do when it is loaded.
class ModuleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { linkCheckModuleAttach(reinterpret_cast<HINSTANCE>(&moduleImage)); }
    void TearDown() override { linkCheckModuleDetach(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ModuleEnvironment);

}  // namespace

void DialogTest::SetUp() {
    std::string folder = (std::filesystem::temp_directory_path() / "dialog-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    home_ = folder;
    ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
    RegistryStoreResetForTesting();
}

void DialogTest::TearDown() {
    RegistryStoreResetForTesting();
    std::error_code error;
    std::filesystem::remove_all(home_, error);
}

void DialogTest::SetManualStart(DWORD value) {
    CRegistryBase registry(CQuorCommon::getHKCUTarnpageOptions(), HKEY_CURRENT_USER, 1, 1, 0);
    registry.SetValueDWORD(u"isLinkCheckManualStart", value);
}

long long DialogTest::ManualStartValue() {
    CRegistryBase registry(CQuorCommon::getHKCUTarnpageOptions(), HKEY_CURRENT_USER, 0, 1, 0);
    const DWORD missing = 0xDEADBEEF;
    const DWORD value = registry.GetValueDWORD(u"isLinkCheckManualStart", missing, 0);
    return value == missing ? -1 : static_cast<long long>(value);
}

DialogRun::DialogRun(const std::string& html)
    : document_(tarn::dom::loadDocument(html)),
      host_(std::make_unique<PageHost>(*document_, std::vector<std::u16string>{})) {}

INT_PTR DialogRun::Run(std::vector<Step> steps) {
    headless::HeadlessFrontEnd frontEnd(std::move(steps));
    win::SetModalFrontEnd(&frontEnd);
    CTarnLinkCheckDlg dialog(host_.get(), nullptr, nullptr);
    dialog_ = &dialog;
    const INT_PTR result = dialog.DoModal();
    dialog_ = nullptr;
    win::SetModalFrontEnd(nullptr);
    return result;
}

std::vector<std::u16string> DialogRun::rowUrls() {
    std::vector<std::u16string> urls;
    for (int row = 0; row < dialog_->listCtrl.GetItemCount(); ++row)
        urls.push_back(cell(row, 0));
    return urls;
}

std::vector<bool> DialogRun::rowTicks() {
    std::vector<bool> ticks;
    for (int row = 0; row < dialog_->listCtrl.GetItemCount(); ++row)
        ticks.push_back(dialog_->listCtrl.GetCheck(row) != FALSE);
    return ticks;
}

std::u16string DialogRun::cell(int row, int column) {
    return dialog_->listCtrl.GetItemText(row, column).ToStdString();
}

bool DialogRun::enabled(int id) {
    CWnd* control = dialog_->GetDlgItem(id);
    return control != nullptr && control->IsWindowEnabled();
}

Step Do(std::function<void(headless::HeadlessFrontEnd&)> action) {
    return [action = std::move(action)](headless::HeadlessFrontEnd& frontEnd) {
        action(frontEnd);
        return true;
    };
}

Step AfterTheRun(int timeoutMs) {
    return [timeoutMs](headless::HeadlessFrontEnd& frontEnd) {
        const std::optional<headless::Outcome> done = frontEnd.WaitIdle(timeoutMs, IDC_STOP);
        if (!done)
            return false;
        EXPECT_TRUE(done->Ok()) << done->error;
        return true;
    };
}

std::string AnchorPage(const std::vector<std::string>& urls) {
    std::string html = "<!DOCTYPE html><html><body>";
    int n = 0;
    for (const std::string& url : urls)
        html += "<a href=\"" + url + "\">link " + std::to_string(n++) + "</a>\n";
    return html + "</body></html>";
}

}  // namespace dialogtest
