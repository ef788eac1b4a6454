#pragma once
#include <optional>
#include <vector>

#include "contracts/host/Document.h"
#include "platform/afx/CWnd.h"

// The host program's window, which the module's dialog is made over. It stands for the editor's main
// window: it hears the module's messages (the source cursor moved: 0x60C) and keeps the status line
// that shows where the source cursor stands.
class HostWindow : public CWnd {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    // The message a module sends after it moved the document's source cursor.
    static constexpr UINT WM_SOURCE_CURSOR_MOVED = 0x060C;

    explicit HostWindow(const Document& document);

    // Creates the window on the calling thread, which runs the dialog. FALSE when it already exists.
    BOOL Create();

    // The application messages received (WM_USER and above), in order; the framework's own (enabling
    // while a dialog runs, creation and destruction) are not the module's doing and are left out.
    const std::vector<Message>& messages() const { return messages_; }
    // Where the source cursor stood when the window was last told it moved; none before that.
    std::optional<SourcePosition> sourceCursor() const { return sourceCursor_; }
    // The status bar: the source cursor's line and column and that line's text; a hint before it moved.
    std::u16string statusText() const;
    // A line for the user in the status bar until the source cursor moves next.
    void showNotice(const std::string& line);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const Document& document_;
    std::vector<Message> messages_;
    std::optional<SourcePosition> sourceCursor_;
    std::optional<std::u16string> notice_;
};
