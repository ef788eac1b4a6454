#include "app/HostWindow.h"

#include <string>

#include "platform/win/Utf8.h"

HostWindow::HostWindow(const Document& document) : document_(document) {}

BOOL HostWindow::Create() { return CreateMessageOnly(); }

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER)
        messages_.push_back({message, wParam, lParam});
    if (message == WM_SOURCE_CURSOR_MOVED) {
        sourceCursor_ = document_.sourceCursor();
        notice_.reset();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void HostWindow::showNotice(const std::string& line) { notice_ = win::DecodeUtf8(line); }

std::u16string HostWindow::statusText() const {
    if (notice_)
        return *notice_;
    if (!sourceCursor_)
        return u"F1: keys";
    std::string_view text = document_.sourceText();
    for (std::uint32_t line = 1; line < sourceCursor_->line && !text.empty(); ++line) {
        const std::size_t end = text.find('\n');
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    text = text.substr(0, text.find('\n'));
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    const std::string status = "line " + std::to_string(sourceCursor_->line) + ", column " +
                               std::to_string(sourceCursor_->column) + ": " + std::string(text);
    return win::DecodeUtf8(status);
}
