#include "hostlibs/dom/html/CommentReader.h"

#include <string>

#include "hostlibs/dom/html/TokenReset.h"

namespace tarn::html {
namespace {

using namespace std::string_view_literals;

constexpr ByteSet kCommentStop("<-\0\r"sv);
constexpr ByteSet kBogusCommentStop(">\0\r"sv);

// Where the reader stands inside "<!-- ... -->". The "<!" states only notice nested comment
// openings, which change nothing in the text but decide where "--" and "-->" fall.
enum class State {
    Start,
    StartDash,
    Text,
    LessThan,
    LessThanBang,
    LessThanBangDash,
    LessThanBangDashDash,
    EndDash,
    End,
    EndBang,
};

}  // namespace

void readComment(InputCursor& in, std::uint32_t start, Token& token) {
    resetToken(token, TokenKind::Comment);
    std::string& data = token.data;
    State state = State::Start;
    for (;;) {
        if (state == State::Text) in.copyUntil(kCommentStop, data);
        const int c = in.peek();
        if (c == InputCursor::kEnd) break;
        switch (state) {
        case State::Start:
            if (c == '-') {
                in.skip(1);
                state = State::StartDash;
            } else if (c == '>') {
                in.skip(1);
                token.span = {start, in.pos()};
                return;
            } else {
                state = State::Text;
            }
            break;
        case State::StartDash:
            if (c == '>') {
                in.skip(1);
                token.span = {start, in.pos()};
                return;
            }
            if (c == '-') {
                in.skip(1);
                state = State::End;
            } else {
                data.push_back('-');
                state = State::Text;
            }
            break;
        case State::Text:
            if (c == '<') {
                data.push_back('<');
                in.skip(1);
                state = State::LessThan;
            } else if (c == '-') {
                in.skip(1);
                state = State::EndDash;
            } else if (c == '\0') {
                data.append(kReplacementCharacter);
                in.skip(1);
            } else {
                in.take(data);
            }
            break;
        case State::LessThan:
            if (c == '!' || c == '<') {
                data.push_back(static_cast<char>(c));
                in.skip(1);
                if (c == '!') state = State::LessThanBang;
            } else {
                state = State::Text;
            }
            break;
        case State::LessThanBang:
            if (c == '-') in.skip(1);
            state = c == '-' ? State::LessThanBangDash : State::Text;
            break;
        case State::LessThanBangDash:
            if (c == '-') in.skip(1);
            state = c == '-' ? State::LessThanBangDashDash : State::EndDash;
            break;
        case State::LessThanBangDashDash:
            state = State::End;
            break;
        case State::EndDash:
            if (c == '-') {
                in.skip(1);
                state = State::End;
            } else {
                data.push_back('-');
                state = State::Text;
            }
            break;
        case State::End:
            if (c == '>') {
                in.skip(1);
                token.span = {start, in.pos()};
                return;
            }
            if (c == '!') {
                in.skip(1);
                state = State::EndBang;
            } else if (c == '-') {
                data.push_back('-');
                in.skip(1);
            } else {
                data.append("--");
                state = State::Text;
            }
            break;
        case State::EndBang:
            if (c == '>') {
                in.skip(1);
                token.span = {start, in.pos()};
                return;
            }
            data.append("--!");
            if (c == '-') {
                in.skip(1);
                state = State::EndDash;
            } else {
                state = State::Text;
            }
            break;
        }
    }
    token.span = {start, in.pos()};
}

void readBogusComment(InputCursor& in, std::uint32_t start, Token& token) {
    resetToken(token, TokenKind::Comment);
    for (;;) {
        in.copyUntil(kBogusCommentStop, token.data);
        const int c = in.peek();
        if (c == InputCursor::kEnd) break;
        if (c == '>') {
            in.skip(1);
            break;
        }
        if (c == '\0') {
            token.data.append(kReplacementCharacter);
            in.skip(1);
        } else {
            in.take(token.data);
        }
    }
    token.span = {start, in.pos()};
}

}  // namespace tarn::html
