// Any text as the automation's input: one JSON command a line, read as the automation reads it, run
// against a small real dialog under the headless front end. Every command is answered with an object
// saying whether it was done, and the answer can be printed whatever text the command carried.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/afx/CDialog.h"
#include "platform/afx/CDynLinkLibrary.h"
#include "platform/afx/DialogTemplate.h"
#include "platform/afx/ResourceSet.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/WinControls.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

using nlohmann::json;

constexpr UINT kDialogId = 7200;
constexpr int kEdit = 101;
constexpr int kCombo = 102;
constexpr int kCheck = 103;
constexpr int kList = 104;
constexpr int kStop = 3007;  // the busy control, as in the program's dialog
// Enough to reach every state of the dialog; more only slows the fuzzer down.
constexpr std::size_t kMaxCommands = 32;

// Cells to dialog units: 4 across and 8 down a cell.
DialogRect Cells(int x, int y, int width, int height) { return {x * 4, y * 8, width * 4, height * 8}; }

const ResourceSet kResources{
    {DialogTemplate{
        kDialogId,
        u"Fuzz",
        WS_POPUP | WS_CAPTION,
        40 * 4,
        12 * 8,
        DialogFont{9, u"Sans"},
        {
            {kEdit, ControlKind::Edit, u"start", Cells(0, 0, 20, 1), WS_VISIBLE | WS_BORDER | WS_TABSTOP},
            {kCombo, ControlKind::ComboBox, u"", Cells(0, 1, 12, 4), WS_VISIBLE | CBS_DROPDOWNLIST | WS_TABSTOP},
            {kCheck, ControlKind::CheckBox, u"&Check", Cells(14, 1, 10, 1), WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP},
            {kList, ControlKind::ListView, u"", Cells(0, 3, 40, 6),
             WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP},
            {IDOK, ControlKind::PushButton, u"OK", Cells(0, 10, 8, 1), WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP},
            {IDCANCEL, ControlKind::PushButton, u"Cancel", Cells(10, 10, 10, 1), WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP},
            {kStop, ControlKind::PushButton, u"&Stop", Cells(22, 10, 8, 1),
             WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON | WS_TABSTOP},
        },
    }},
    {},
};

class FuzzDialog : public CDialog {
public:
    explicit FuzzDialog(CWnd* owner) : CDialog(kDialogId, owner) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        HWND combo = ::GetDlgItem(m_hWnd, kCombo);
        for (const char16_t* item : {u"一", u"two", u"three", u"four"})
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        HWND list = ::GetDlgItem(m_hWnd, kList);
        ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        for (const char16_t* heading : {u"URL", u"状態"}) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 18;
            column.pszText = const_cast<LPWSTR>(heading);
            ::SendMessageW(list, LVM_INSERTCOLUMNW, 100, reinterpret_cast<LPARAM>(&column));
        }
        for (const char16_t* url : {u"http://127.0.0.1/a", u"http://127.0.0.1/b", u"http://127.0.0.1/c",
                                    u"http://127.0.0.1/d", u"http://127.0.0.1/e"}) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = 100;
            item.pszText = const_cast<LPWSTR>(url);
            ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        return TRUE;
    }
};

// The dialog's resources and its owner, for the whole run.
CWnd& Owner() {
    static CWnd* owner = [] {
        static int moduleImage;
        static AFX_EXTENSION_MODULE module{};
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(&moduleImage);
        AfxRegisterModuleResources(instance, &kResources);
        FuzzCheck(AfxInitExtensionModule(module, instance), "the resources load");
        new CDynLinkLibrary(module);
        auto* window = new CWnd;
        FuzzCheck(window->CreateMessageOnly(), "the owner window is made");
        return window;
    }();
    return *owner;
}

void CheckAnswer(const json& answer) {
    FuzzCheck(answer.is_object() && answer.contains("ok") && answer["ok"].is_boolean(), "an answer says ok");
    if (!answer["ok"].get<bool>())
        FuzzCheck(answer.contains("error") && answer["error"].is_string(), "a refusal says why");
    answer.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CWnd& owner = Owner();
    headless::HeadlessFrontEnd frontEnd;
    frontEnd.SetBusyControl(kStop);
    std::size_t answers = 0;
    std::size_t commands = 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty() && commands < kMaxCommands) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        std::string_view line = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        json command = headless::HeadlessFrontEnd::ReadCommand(line);
        if (command.is_discarded())
            continue;
        ++commands;
        frontEnd.AddStep(headless::HeadlessFrontEnd::CommandStep(std::move(command), [&](const json& answer) {
            CheckAnswer(answer);
            ++answers;
        }));
    }
    FuzzDialog dialog(&owner);
    win::SetModalFrontEnd(&frontEnd);
    dialog.DoModal();
    win::SetModalFrontEnd(nullptr);
    // Commands after one that ended the dialog are never asked.
    FuzzCheck(answers <= commands, "one answer a command");
    return 0;
}
