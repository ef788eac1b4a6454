#include "platform/controls/EditLine.h"

#include "platform/win/TextCells.h"

#include <algorithm>

namespace controls {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

int Length(std::u16string_view text) { return static_cast<int>(text.size()); }

// pos clamped to the text and moved off the middle of a surrogate pair.
int Snap(std::u16string_view text, int pos) {
    pos = std::clamp(pos, 0, Length(text));
    if (pos > 0 && pos < Length(text) && IsLowSurrogate(text[pos]) && IsHighSurrogate(text[pos - 1]))
        --pos;
    return pos;
}

int CellsBetween(std::u16string_view text, int from, int to) {
    return TextCells(text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
}

// The smallest start from which the text up to `end` takes at most `room` cells. Walks back from `end`, so
// the cost follows the box's width, not the text's length.
int StartShowing(std::u16string_view text, int end, int room) {
    int start = end;
    int cells = 0;
    while (start > 0) {
        const int previous = EditLine::Previous(text, start);
        cells += CellsBetween(text, previous, start);
        if (cells > room)
            break;
        start = previous;
    }
    return start;
}

}  // namespace

int EditLine::SelectionStart() const { return std::min(m_anchor, m_caret); }
int EditLine::SelectionEnd() const { return std::max(m_anchor, m_caret); }

void EditLine::SetLimit(int limit) { m_limit = limit < 1 ? kLargestLimit : std::min(limit, kLargestLimit); }

bool EditLine::Fit(std::u16string_view text, int width) {
    const int anchor = Snap(text, m_anchor);
    const int caret = Snap(text, m_caret);
    const int room = std::max(width, 1) - 1;
    int first = std::min(Snap(text, m_first), caret);
    first = std::max(first, StartShowing(text, caret, room));
    // Text deleted at the end, or a wider box: pull the text back in rather than show empty cells.
    first = std::min(first, StartShowing(text, Length(text), room));
    const bool moved = anchor != m_anchor || caret != m_caret || first != m_first;
    m_anchor = anchor;
    m_caret = caret;
    m_first = first;
    return moved;
}

void EditLine::Select(std::u16string_view text, int anchor, int caret) {
    m_anchor = Snap(text, anchor);
    m_caret = Snap(text, caret);
}

void EditLine::MoveCaret(std::u16string_view text, int caret, bool extend) {
    m_caret = Snap(text, caret);
    if (!extend)
        m_anchor = m_caret;
}

bool EditLine::Replace(std::u16string& text, std::u16string_view units) {
    const int start = SelectionStart();
    const int end = SelectionEnd();
    if (units.empty())
        return DeleteRange(text, start, end);
    if (Length(text) - (end - start) + static_cast<int>(units.size()) > m_limit)
        return false;
    text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), units);
    m_caret = m_anchor = start + static_cast<int>(units.size());
    return true;
}

bool EditLine::DeleteBackward(std::u16string& text) {
    if (m_anchor != m_caret)
        return DeleteRange(text, SelectionStart(), SelectionEnd());
    return DeleteRange(text, Previous(text, m_caret), m_caret);
}

bool EditLine::DeleteForward(std::u16string& text) {
    if (m_anchor != m_caret)
        return DeleteRange(text, SelectionStart(), SelectionEnd());
    return DeleteRange(text, m_caret, Next(text, m_caret));
}

bool EditLine::DeleteRange(std::u16string& text, int from, int to) {
    if (from >= to)
        return false;
    text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    m_caret = m_anchor = from;
    return true;
}

int EditLine::PositionAtCell(std::u16string_view text, int x) const {
    int pos = m_first;
    int cells = 0;
    while (pos < Length(text)) {
        const int next = Next(text, pos);
        cells += CellsBetween(text, pos, next);
        if (x < cells)
            return pos;
        pos = next;
    }
    return pos;
}

int EditLine::Next(std::u16string_view text, int pos) {
    if (pos >= Length(text))
        return Length(text);
    if (pos + 1 < Length(text) && IsHighSurrogate(text[pos]) && IsLowSurrogate(text[pos + 1]))
        return pos + 2;
    return pos + 1;
}

int EditLine::Previous(std::u16string_view text, int pos) {
    if (pos <= 0)
        return 0;
    if (pos >= 2 && IsLowSurrogate(text[pos - 1]) && IsHighSurrogate(text[pos - 2]))
        return pos - 2;
    return pos - 1;
}

}  // namespace controls
