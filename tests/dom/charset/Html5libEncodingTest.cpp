// Runs the html5lib encoding cases (tests/data/html5lib-tests/encoding) through the prescan.
//
// html5lib's expectations are those of a whole browser; the prescan is checked against them as
// follows. A case whose expected encoding comes from a <meta> must prescan to it. A case expecting
// windows-1252 either declares it (an ISO-8859-1 label) or declares nothing the prescan can find
// (html5lib's default): then the prescan must find nothing. A case starting with a byte order
// mark is checked through decodePage, where the mark wins.
//
// Left out or read differently:
//  - scripted/: the declaration is written by a script, which needs a script engine.
//  - cases whose only <meta> lies beyond the first 1024 bytes: html5lib expects the browser's
//    later switch while parsing. The page text here is decoded once, with the encoding the first
//    1024 bytes declare, so the prescan must find nothing in them.
//  - chardet/test_big5.txt declares nothing; html5lib expects Big5 from statistical sniffing, which
//    this layer does not do: the prescan must find nothing and the page reads as windows-1252.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hostlibs/dom/charset/DecodedPage.h"
#include "hostlibs/dom/charset/EncodingLabels.h"
#include "hostlibs/dom/charset/MetaPrescan.h"

namespace tarn::charset {
namespace {

const std::filesystem::path kSuite = std::filesystem::path(TARN_TEST_DATA) / "html5lib-tests" / "encoding";

struct Case {
    std::string file;
    int index;
    std::string data;
    std::string expected;  // canonical name
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Case> readCases(const std::string& file) {
    const std::string all = readFile(kSuite / file);
    std::vector<Case> cases;
    const std::string dataMark = "#data\n";
    const std::string encodingMark = "\n#encoding\n";
    for (std::size_t pos = all.find(dataMark); pos != std::string::npos; pos = all.find(dataMark, pos)) {
        const std::size_t start = pos + dataMark.size();
        const std::size_t end = all.find(encodingMark, start);
        if (end == std::string::npos) break;
        const std::size_t labelStart = end + encodingMark.size();
        const std::string label = all.substr(labelStart, all.find('\n', labelStart) - labelStart);
        cases.push_back({file, static_cast<int>(cases.size()), all.substr(start, end - start),
                         encodingForLabel(label).value_or("unknown label " + label)});
        pos = labelStart;
    }
    return cases;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string describe(const Case& c) { return c.file + " #" + std::to_string(c.index) + ":\n" + c.data.substr(0, 200); }

TEST(Html5libEncoding, EveryCaseMatchesThePrescan) {
    std::vector<Case> cases;
    for (const char* file : {"tests1.dat", "tests2.dat", "test-yahoo-jp.dat"}) {
        const std::vector<Case> more = readCases(file);
        cases.insert(cases.end(), more.begin(), more.end());
    }
    ASSERT_EQ(cases.size(), 59u + 22u + 1u);

    int late = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c));
        if (c.data.starts_with("\xEF\xBB\xBF")) {
            EXPECT_EQ(decodePage(c.data).encoding, c.expected);
            continue;
        }
        const std::optional<std::string> found = prescanMetaCharset(c.data);
        const std::string data = lower(c.data);
        const std::size_t meta = data.find("<meta");
        if (meta != std::string::npos && meta >= kPrescanLength) {
            ++late;
            EXPECT_EQ(found, std::nullopt);
        } else if (c.expected == "windows-1252" && data.find("iso-8859-1") == std::string::npos) {
            EXPECT_EQ(found, std::nullopt);
        } else {
            EXPECT_EQ(found, c.expected);
        }
    }
    EXPECT_EQ(late, 7);
}

TEST(Html5libEncoding, Big5WithoutDeclarationIsNotGuessed) {
    const std::string data = readFile(kSuite / "chardet" / "test_big5.txt");
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(prescanMetaCharset(data), std::nullopt);
    EXPECT_EQ(decodePage(data).encoding, "windows-1252");
}

}  // namespace
}  // namespace tarn::charset
