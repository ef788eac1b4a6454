#include "hostlibs/dom/html/TextReader.h"

namespace tarn::html {
namespace {

using namespace std::string_view_literals;

constexpr ByteSet kPlainStop("<\0\r"sv);
constexpr ByteSet kEscapedStop("<-\0\r"sv);

// Where script text stands: plain, inside "<!--" (escaped), or inside "<script" within that
// (double escaped), each with how many '-' were just seen.
enum class State { Plain, Escaped, EscapedDash, EscapedDashDash, Double, DoubleDash, DoubleDashDash };

bool isDouble(State s) { return s == State::Double || s == State::DoubleDash || s == State::DoubleDashDash; }

State withoutDashes(State s) {
    if (s == State::Plain) return s;
    return isDouble(s) ? State::Double : State::Escaped;
}

State afterDash(State s) {
    switch (s) {
    case State::Escaped: return State::EscapedDash;
    case State::EscapedDash: case State::EscapedDashDash: return State::EscapedDashDash;
    case State::Double: return State::DoubleDash;
    case State::DoubleDash: case State::DoubleDashDash: return State::DoubleDashDash;
    case State::Plain: break;
    }
    return s;
}

// Appends the letters under the cursor and, when whitespace, '/' or '>' ends them, that character
// too. True when the letters spell "script" and were ended so.
bool readScriptWord(InputCursor& in, std::string& data) {
    const std::uint32_t begin = in.pos();
    while (isAsciiAlpha(in.peek())) in.skip(1);
    const std::string_view word = in.text().substr(begin, in.pos() - begin);
    data.append(word);
    const int c = in.peek();
    if (!isHtmlWhitespace(c) && c != '/' && c != '>') return false;
    in.take(data);
    if (word.size() != 6) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (toAsciiLower(word[i]) != "script"[i]) return false;
    }
    return true;
}

// A '<' was just appended in `state`: reads what it opens and returns the state after it.
State afterLessThan(InputCursor& in, State state, std::string& data) {
    if (state == State::Plain) {
        if (!in.lookingAt("!--", false)) return State::Plain;
        data.append("!--");
        in.skip(3);
        return State::EscapedDashDash;
    }
    if (!isDouble(state)) {
        return isAsciiAlpha(in.peek()) && readScriptWord(in, data) ? State::Double : State::Escaped;
    }
    if (in.peek() != '/') return State::Double;
    data.push_back('/');
    in.skip(1);
    return readScriptWord(in, data) ? State::Escaped : State::Double;
}

}  // namespace

bool readScriptData(InputCursor& in, std::string_view lastStartTag, std::string& data) {
    State state = State::Plain;
    for (;;) {
        if (state == State::Plain) {
            in.copyUntil(kPlainStop, data);
        } else if (state == State::Escaped || state == State::Double) {
            in.copyUntil(kEscapedStop, data);
        }
        const int c = in.peek();
        switch (c) {
        case InputCursor::kEnd:
            return false;
        case '<':
            if (!isDouble(state) && atAppropriateEndTag(in, lastStartTag)) return true;
            data.push_back('<');
            in.skip(1);
            state = afterLessThan(in, state, data);
            break;
        case '-':
            data.push_back('-');
            in.skip(1);
            state = afterDash(state);
            break;
        case '\0':
            data.append(kReplacementCharacter);
            in.skip(1);
            state = withoutDashes(state);
            break;
        default:
            // "-->" ends the escaped part, even from inside a double-escaped "<script>".
            state = c == '>' && (state == State::EscapedDashDash || state == State::DoubleDashDash)
                        ? State::Plain
                        : withoutDashes(state);
            in.take(data);
            break;
        }
    }
}

}  // namespace tarn::html
