#pragma once

#include "platform/win/Window.h"
#include "platform/win/WinTypes.h"

#include <memory>

namespace win {

class MessageQueue;

// A message sent to a window of another thread. The sender waits in its own queue, serving what is sent
// to it meanwhile, until the owner thread replies (or the window dies, which replies 0).
struct SentMessage {
    std::shared_ptr<Window> target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::shared_ptr<MessageQueue> sender;
    // The owner thread was asleep when the message came and had to be woken (sender thread only).
    bool ownerWoken = false;
    // Written once by the reply, under the sender queue's mutex.
    LRESULT result = 0;
    bool replied = false;
};

}  // namespace win
