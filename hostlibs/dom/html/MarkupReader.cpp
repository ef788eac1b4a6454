#include "hostlibs/dom/html/MarkupReader.h"

#include "hostlibs/dom/html/CommentReader.h"
#include "hostlibs/dom/html/DoctypeReader.h"
#include "hostlibs/dom/html/TagReader.h"

namespace tarn::html {

bool readMarkup(InputCursor& in, Token& token) {
    const std::uint32_t start = in.pos();
    const int next = in.rawAt(1);
    if (isAsciiAlpha(next)) {
        in.skip(1);
        return readTag(in, start, TokenKind::StartTag, token);
    }
    if (next == '/') {
        in.skip(2);
        if (isAsciiAlpha(in.peek())) return readTag(in, start, TokenKind::EndTag, token);
        readBogusComment(in, start, token);  // "</ x>", "</3>": the text after "</" is the comment
        return true;
    }
    if (next == '!') {
        in.skip(2);
        if (in.lookingAt("--", false)) {
            in.skip(2);
            readComment(in, start, token);
        } else if (in.lookingAt("doctype", true)) {
            in.skip(7);
            readDoctype(in, start, token);
        } else {
            readBogusComment(in, start, token);
        }
        return true;
    }
    in.skip(1);  // "<?": the '?' begins the comment's text
    readBogusComment(in, start, token);
    return true;
}

}  // namespace tarn::html
