#include "platform/win/MessageQueue.h"
#include "platform/win/MessageWait.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowTable.h"

#include <chrono>
#include <memory>

using win::MessageFilter;
using win::MessageQueue;
using win::SentMessage;
using win::Window;
using win::WindowTable;

namespace {

DWORD TickCount() {
    auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

}  // namespace

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    const MSG msg{hWnd, Msg, wParam, lParam, TickCount()};
    if (hWnd == nullptr)
        return MessageQueue::ForCurrentThread()->Post(msg);
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    return window && window->queue->Post(msg);
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return 0;
    if (window->threadId == GetCurrentThreadId())
        return window->Call(Msg, wParam, lParam);
    const std::shared_ptr<MessageQueue>& self = MessageQueue::ForCurrentThread();
    auto sent = std::make_shared<SentMessage>(SentMessage{window, Msg, wParam, lParam, self});
    if (!window->queue->Deliver(sent))
        return 0;
    return self->WaitForReply(*sent);
}

BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (lpMsg == nullptr || (hWnd != nullptr && !WindowTable::Instance().FindOwn(hWnd)))
        return -1;
    const MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    return MessageQueue::ForCurrentThread()->Take(*lpMsg, filter, true, true) == MessageQueue::Taken::Message;
}

BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (lpMsg == nullptr || (hWnd != nullptr && !WindowTable::Instance().FindOwn(hWnd)))
        return FALSE;
    const MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    return MessageQueue::ForCurrentThread()->Take(*lpMsg, filter, false, remove) != MessageQueue::Taken::Nothing;
}

LRESULT DispatchMessageW(const MSG* lpMsg) {
    if (lpMsg == nullptr)
        return 0;
    std::shared_ptr<Window> window = WindowTable::Instance().FindOwn(lpMsg->hwnd);
    return window ? window->Call(lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}

void PostQuitMessage(int nExitCode) { MessageQueue::ForCurrentThread()->PostQuit(nExitCode); }

DWORD MsgWaitForMessages(DWORD dwMilliseconds) {
    return MessageQueue::ForCurrentThread()->WaitForInput(dwMilliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

DWORD MsgWaitForMessagesOrFds(const int* fds, int count, DWORD dwMilliseconds) {
    const int ready = MessageQueue::ForCurrentThread()->WaitForInputOrFds(fds, count, dwMilliseconds);
    if (ready == -2)
        return WAIT_TIMEOUT;
    return WAIT_OBJECT_0 + static_cast<DWORD>(ready + 1);
}
