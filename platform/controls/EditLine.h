#pragma once

#include <string>
#include <string_view>

namespace controls {

// What a one-line edit box keeps beside its text (the text is the window's): the selection, whose caret
// end is where typing goes, the first character shown, and how long the user may make the text.
// Positions count UTF-16 code units; they never fall between the halves of a surrogate pair.
//
// The text may change from outside (SetWindowTextW tells the box nothing), so every caller fits the
// positions to the text first (Fit), and the edits take the text as it is now.
class EditLine {
public:
    // The most a user may type before EM_LIMITTEXT, and what a limit of 0 stands for.
    static constexpr int kDefaultLimit = 32767;
    static constexpr int kLargestLimit = 0x7FFFFFFE;

    int SelectionStart() const;
    int SelectionEnd() const;
    int Caret() const { return m_caret; }
    int FirstVisible() const { return m_first; }
    int Limit() const { return m_limit; }
    // A limit below 1 lifts it (kLargestLimit). Text already longer stays; only typing is refused.
    void SetLimit(int limit);

    // Clamps the positions to `text` and scrolls so that the caret, and as much of the text before it as
    // fits, shows in `width` cells; one cell is kept for the caret after the last character. Returns
    // whether anything moved.
    bool Fit(std::u16string_view text, int width);

    // Selects from anchor to caret (either way round); positions outside the text clamp to its end.
    void Select(std::u16string_view text, int anchor, int caret);
    // Moves the caret; with `extend` the anchor stays, otherwise the selection collapses onto the caret.
    void MoveCaret(std::u16string_view text, int caret, bool extend);

    // The edits a user makes. Each returns whether the text changed; the caret ends after the edit.
    // Replaces the selection with `units`, refused when the text would pass the limit.
    bool Replace(std::u16string& text, std::u16string_view units);
    // The selection, else the character before (after) the caret.
    bool DeleteBackward(std::u16string& text);
    bool DeleteForward(std::u16string& text);

    // The position in front of the character shown at cell x of the box; the end of the text past it.
    int PositionAtCell(std::u16string_view text, int x) const;

    // The neighbouring character boundaries, a surrogate pair counting as one character.
    static int Next(std::u16string_view text, int pos);
    static int Previous(std::u16string_view text, int pos);

private:
    bool DeleteRange(std::u16string& text, int from, int to);

    int m_anchor = 0;
    int m_caret = 0;
    int m_first = 0;
    int m_limit = kDefaultLimit;
};

}  // namespace controls
