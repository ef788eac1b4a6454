#include <algorithm>
#include <ostream>
#include <string_view>
#include <vector>

#include "app/batch/Reports.h"
#include "app/batch/WorkingPath.h"

// The patch is made from the byte spans of the edits, not by comparing texts: what it changes is exactly
// what the save writes, and the bytes around (an encoding that is not UTF-8, CR LF, a last line without
// its line break) are carried as they are.
namespace {

constexpr std::size_t kContext = 3;

// The lines of a page's bytes: where each begins. A line holds its LF; the last may have none.
class Lines {
public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {
        for (std::size_t at = 0; at < bytes.size();) {
            starts_.push_back(at);
            const std::size_t lf = bytes.find('\n', at);
            at = lf == std::string_view::npos ? bytes.size() : lf + 1;
        }
    }
    std::size_t count() const { return starts_.size(); }
    std::size_t begin(std::size_t line) const { return line < starts_.size() ? starts_[line] : bytes_.size(); }
    std::size_t end(std::size_t line) const { return begin(line + 1); }
    std::size_t lineOf(std::size_t offset) const {
        const auto next = std::upper_bound(starts_.begin(), starts_.end(), offset);
        return next == starts_.begin() ? 0 : static_cast<std::size_t>(next - starts_.begin()) - 1;
    }
    std::string_view text(std::size_t line) const { return bytes_.substr(begin(line), end(line) - begin(line)); }

private:
    std::string_view bytes_;
    std::vector<std::size_t> starts_;
};

// Whole lines [first, last] of the page that edits [edit, editEnd) change.
struct Region {
    std::size_t first;
    std::size_t last;
    std::size_t edit;
    std::size_t editEnd;
};

std::vector<Region> regionsOf(const Lines& lines, const std::vector<ByteEdit>& edits) {
    std::vector<Region> regions;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const ByteEdit& edit = edits[i];
        const std::size_t first = lines.lineOf(edit.offset);
        std::size_t last = edit.length == 0 ? first : lines.lineOf(edit.offset + edit.length - 1);
        // An edit that takes a line's LF joins the next line to it.
        if (edit.length > 0 && edit.offset + edit.length == lines.end(last) && last + 1 < lines.count())
            ++last;
        if (!regions.empty() && first <= regions.back().last) {
            regions.back().last = std::max(regions.back().last, last);
            regions.back().editEnd = i + 1;
        } else {
            regions.push_back({first, last, i, i + 1});
        }
    }
    return regions;
}

void writeLine(std::ostream& out, char mark, std::string_view line) {
    out << mark << line;
    if (line.empty() || line.back() != '\n')
        out << "\n\\ No newline at end of file\n";
}

// The region's lines as the fixes write them.
std::vector<std::string> newLines(std::string_view bytes, const Lines& lines, const Region& region,
                                  const std::vector<ByteEdit>& edits) {
    std::string text;
    std::size_t at = lines.begin(region.first);
    for (std::size_t i = region.edit; i < region.editEnd; ++i) {
        text.append(bytes.substr(at, edits[i].offset - at));
        text += edits[i].bytes;
        at = edits[i].offset + edits[i].length;
    }
    text.append(bytes.substr(at, lines.end(region.last) - at));
    std::vector<std::string> out;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t lf = text.find('\n', begin);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        out.push_back(text.substr(begin, end - begin));
        begin = end;
    }
    return out;
}

// A path as git writes it in a patch: in double quotes, C-escaped, when it holds a quote, a backslash
// or a control character.
std::string patchPath(const std::string& prefix, const std::string& path) {
    const std::string name = prefix + path;
    if (std::none_of(name.begin(), name.end(),
                     [](char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }))
        return name;
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\')
            quoted += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20) {
            static constexpr char kDigits[] = "01234567";
            const auto u = static_cast<unsigned char>(c);
            quoted += {'\\', kDigits[u >> 6], kDigits[(u >> 3) & 7], kDigits[u & 7]};
        } else
            quoted += c;
    }
    return quoted + '"';
}

void writePagePatch(std::ostream& out, const std::string& path, const PageChange& change) {
    const std::string_view bytes = change.original;
    const Lines lines(bytes);
    const std::vector<Region> regions = regionsOf(lines, change.edits);
    if (regions.empty())
        return;
    const std::string name = workingPath(path);
    out << "diff --git " << patchPath("a/", name) << ' ' << patchPath("b/", name) << '\n'
        << "--- " << patchPath("a/", name) << '\n'
        << "+++ " << patchPath("b/", name) << '\n';
    long delta = 0;  // lines the earlier hunks added
    for (std::size_t r = 0; r < regions.size();) {
        // A hunk holds the regions whose context would touch.
        std::size_t end = r + 1;
        while (end < regions.size() && regions[end].first <= regions[end - 1].last + 2 * kContext + 1)
            ++end;
        const std::size_t from = regions[r].first >= kContext ? regions[r].first - kContext : 0;
        const std::size_t to = std::min(regions[end - 1].last + kContext, lines.count() - 1);
        std::vector<std::string> body;
        std::size_t oldCount = to - from + 1;
        std::size_t newCount = oldCount;
        std::size_t line = from;
        for (std::size_t i = r; i < end; ++i) {
            const Region& region = regions[i];
            for (; line < region.first; ++line)
                body.push_back(' ' + std::string(lines.text(line)));
            for (; line <= region.last; ++line)
                body.push_back('-' + std::string(lines.text(line)));
            const std::vector<std::string> added = newLines(bytes, lines, region, change.edits);
            for (const std::string& text : added)
                body.push_back('+' + text);
            newCount = newCount - (region.last - region.first + 1) + added.size();
        }
        for (; line <= to; ++line)
            body.push_back(' ' + std::string(lines.text(line)));
        out << "@@ -" << from + 1 << ',' << oldCount << " +" << static_cast<long>(from + 1) + delta << ','
            << newCount << " @@\n";
        for (const std::string& text : body)
            writeLine(out, text[0], std::string_view(text).substr(1));
        delta += static_cast<long>(newCount) - static_cast<long>(oldCount);
        r = end;
    }
}

}  // namespace

void writePatch(std::ostream& out, const RunRecord& run) {
    for (const PageRecord& page : run.pages) {
        if (page.change)
            writePagePatch(out, page.path, *page.change);
    }
}
