#include "hostlibs/dom/ElementTable.h"

#include <algorithm>
#include <array>

namespace tarn::dom {
namespace {

struct Entry {
    int id;
    std::string_view name;
};

// The element numbering of the document library. The link collection keys its rules by these
// numbers, so each number that carries a rule belongs to an element kind with that attribute:
//   1 A, 6 AREA (HREF); 14 BODY, 85 TABLE, 88 TD, 91 TH (BACKGROUND); 32 EMBED (SRC);
//   35 FORM (ACTION); 36 FRAME, 48 IFRAME (SRC, LONGDESC); 49 IMG (USEMAP, SRC, ..., LONGDESC);
//   50 INPUT, 74 SCRIPT, 156 SOURCE (SRC); 57 LINK (HREF); 126 OBJECT (CODEBASE).
// The editor's own elements are custom elements with a "tarn-" prefix:
//   65 TARN-IMAGE and 94 TARN-BUTTON-IMAGE carry an image source (IMGSRC);
//   83 TARN-PANEL carries a background and an image source (BACKGROUND, IMGSRC);
//   107 TARN-FILE, 108 TARN-DOWNLOAD, 109 TARN-MOVIE refer to a file (FILE);
//   114 TARN-IMAGE-LINK, 115 TARN-IMAGE-BUTTON, 124 TARN-ROLLOVER, 130 TARN-SLIDE are associated
//   with an image element (getATV: the element whose id their ATV attribute names).
// Every other HTML element has a number of its own; unknown and foreign (SVG, MathML) elements
// have none (0).
constexpr Entry kElements[] = {
    {1, "A"},
    {2, "ABBR"},
    {3, "ACRONYM"},
    {4, "ADDRESS"},
    {5, "APPLET"},
    {6, "AREA"},
    {7, "ARTICLE"},
    {8, "ASIDE"},
    {9, "AUDIO"},
    {10, "B"},
    {11, "BASE"},
    {12, "BASEFONT"},
    {13, "BDI"},
    {14, "BODY"},
    {15, "BDO"},
    {16, "BGSOUND"},
    {17, "BIG"},
    {18, "BLINK"},
    {19, "BLOCKQUOTE"},
    {20, "BR"},
    {21, "BUTTON"},
    {22, "CANVAS"},
    {23, "CAPTION"},
    {24, "CENTER"},
    {25, "CITE"},
    {26, "CODE"},
    {27, "COL"},
    {28, "COLGROUP"},
    {29, "DATA"},
    {30, "DATALIST"},
    {31, "DD"},
    {32, "EMBED"},
    {33, "DEL"},
    {34, "DETAILS"},
    {35, "FORM"},
    {36, "FRAME"},
    {37, "DFN"},
    {38, "DIALOG"},
    {39, "DIR"},
    {40, "DIV"},
    {41, "DL"},
    {42, "DT"},
    {43, "EM"},
    {44, "FIELDSET"},
    {45, "FIGCAPTION"},
    {46, "FIGURE"},
    {47, "FONT"},
    {48, "IFRAME"},
    {49, "IMG"},
    {50, "INPUT"},
    {51, "FOOTER"},
    {52, "FRAMESET"},
    {53, "H1"},
    {54, "H2"},
    {55, "H3"},
    {56, "H4"},
    {57, "LINK"},
    {58, "H5"},
    {59, "H6"},
    {60, "HEAD"},
    {61, "HEADER"},
    {62, "HGROUP"},
    {63, "HR"},
    {64, "HTML"},
    {65, "TARN-IMAGE"},
    {66, "I"},
    {67, "INS"},
    {68, "ISINDEX"},
    {69, "KBD"},
    {70, "KEYGEN"},
    {71, "LABEL"},
    {72, "LEGEND"},
    {73, "LI"},
    {74, "SCRIPT"},
    {75, "LISTING"},
    {76, "MAIN"},
    {77, "MAP"},
    {78, "MARK"},
    {79, "MARQUEE"},
    {80, "MENU"},
    {81, "META"},
    {82, "METER"},
    {83, "TARN-PANEL"},
    {84, "MULTICOL"},
    {85, "TABLE"},
    {86, "NAV"},
    {87, "NOBR"},
    {88, "TD"},
    {89, "NOEMBED"},
    {90, "NOFRAMES"},
    {91, "TH"},
    {92, "NOSCRIPT"},
    {93, "OL"},
    {94, "TARN-BUTTON-IMAGE"},
    {95, "OPTGROUP"},
    {96, "OPTION"},
    {97, "OUTPUT"},
    {98, "P"},
    {99, "PARAM"},
    {100, "PICTURE"},
    {101, "PLAINTEXT"},
    {102, "PRE"},
    {103, "PROGRESS"},
    {104, "Q"},
    {105, "RB"},
    {106, "RP"},
    {107, "TARN-FILE"},
    {108, "TARN-DOWNLOAD"},
    {109, "TARN-MOVIE"},
    {110, "RT"},
    {111, "RTC"},
    {112, "RUBY"},
    {113, "S"},
    {114, "TARN-IMAGE-LINK"},
    {115, "TARN-IMAGE-BUTTON"},
    {116, "SAMP"},
    {117, "SEARCH"},
    {118, "SECTION"},
    {119, "SELECT"},
    {120, "SLOT"},
    {121, "SMALL"},
    {122, "SPACER"},
    {123, "SPAN"},
    {124, "TARN-ROLLOVER"},
    {125, "STRIKE"},
    {126, "OBJECT"},
    {127, "STRONG"},
    {128, "STYLE"},
    {129, "SUB"},
    {130, "TARN-SLIDE"},
    {131, "SUMMARY"},
    {132, "SUP"},
    {133, "TBODY"},
    {134, "TEMPLATE"},
    {135, "TEXTAREA"},
    {136, "TFOOT"},
    {137, "THEAD"},
    {138, "TIME"},
    {139, "TITLE"},
    {140, "TR"},
    {141, "TRACK"},
    {142, "TT"},
    {143, "U"},
    {144, "UL"},
    {145, "VAR"},
    {146, "VIDEO"},
    {147, "WBR"},
    {148, "XMP"},
    {156, "SOURCE"},
};

}  // namespace

int elementIdFor(std::string_view domName) {
    static const auto sorted = [] {
        std::array<Entry, std::size(kElements)> byName{};
        std::copy(std::begin(kElements), std::end(kElements), byName.begin());
        std::sort(byName.begin(), byName.end(),
                  [](const Entry& a, const Entry& b) { return a.name < b.name; });
        return byName;
    }();
    auto it = std::lower_bound(sorted.begin(), sorted.end(), domName,
                               [](const Entry& e, std::string_view n) { return e.name < n; });
    return it != sorted.end() && it->name == domName ? it->id : 0;
}

}  // namespace tarn::dom
