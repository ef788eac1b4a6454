#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

namespace tui {

// What a terminal's bytes said: a key, typed text, a mouse event or pasted text.
struct InputEvent {
    enum class Kind { Key, Char, Mouse, Paste };
    Kind kind = Kind::Key;
    WORD vk = 0;           // Key: the virtual key
    char32_t ch = 0;       // Char: the character
    bool shift = false;
    bool control = false;
    bool alt = false;
    // Mouse: button 0 left, 1 middle, 2 right, 64 wheel up, 65 wheel down, 66 and 67 wheel tilted left and
    // right; press or release; the cell, 0-based; motion while a button is held.
    int button = 0;
    bool press = false;
    bool motion = false;
    int x = 0;
    int y = 0;
    std::u32string text;  // Paste
};

// Turns the bytes a terminal sends (xterm's keys, SGR mouse reports, bracketed paste, UTF-8 text) into
// events. A lone ESC may be the start of a sequence: it waits, and becomes the Esc key when nothing
// followed it within the escape delay (Pending, then Flush).
class InputDecoder {
public:
    void Feed(std::string_view bytes);
    // The events decoded so far; an incomplete sequence stays for the next bytes.
    std::vector<InputEvent> Take();
    // True while an incomplete sequence waits for more bytes.
    bool Pending() const { return !buffer_.empty() && !inPaste_; }
    // The wait is over: what is held is taken as it stands (ESC alone is the Esc key).
    std::vector<InputEvent> Flush();

private:
    // Decodes one event from the front of the buffer: the bytes used, 0 when more are needed.
    std::size_t DecodeOne(std::vector<InputEvent>& out, bool final);
    std::size_t DecodeEscape(std::vector<InputEvent>& out, bool final);
    std::size_t DecodeCsi(std::vector<InputEvent>& out);
    std::size_t TakePaste();

    std::string buffer_;
    bool inPaste_ = false;
    std::string paste_;
    bool pasteEnded_ = false;
};

}  // namespace tui
