#include "publish/style_sheet.h"

#include <string_view>

namespace publish {

namespace {

// Selectors are padded with blanks to 11 characters.
constexpr std::string_view kFont = "font-family: Verdana, Arial, Helvetica, sans-serif; ";

struct Rule {
    std::string_view selector;
    std::string_view before;  // declarations before the font family
    bool font;
    std::string_view after;
};

constexpr Rule kRules[] = {
    {"h1         ", "color: #333333; font-size: 18pt; font-style: normal; font-weight: bold; ", false, ""},
    {"h2         ", "color: #333333; font-size: 14pt; font-style: normal; font-weight: bold; ", false, ""},
    {"h3         ", "color: #333333; font-size: 12pt; font-style: normal; font-weight: bold; ", false, ""},
    {".h1Style   ", "color: #333333; font-size: 18pt; font-style: normal; font-weight: bold; ", false, ""},
    {".TblRow    ", "color: #333333; ", true, "font-size: 10pt; font-weight: normal; "},
    {".TblRow1   ", "color: #333333; background-color: #f5f5dc; ", true, "font-size: 9pt; font-weight: normal; "},
    {".TblRow0   ", "color: #333333; background-color: #d9d4aa; ", true, "font-size: 9pt; font-weight: normal; "},
    {".TblHdr    ", "color: #CCCC99; background-color: #333333; ", true,
     "font-size: 10pt; font-weight: bold; text-align: center; "},
    {".IntfName  ", "color: #660000; ", true, "font-size: 10pt; font-weight: bold; "},
    {".MethName  ", "color: #333333; ", true, "font-size: 8pt; font-weight: bold; text-decoration: none; "},
    {".ParmName  ", "color: #333333; ", true, "font-size: 8pt; text-decoration: none; "},
    {".Namespace ", "color: #333333; ", true, "font-size: 9pt; font-style: italic; "},
    {".WSDL      ", "color: #990000; ", true, "font-size: 8pt; font-weight: bold; "},
    {".MainBkgnd ", "background-color: #d9d4aa; ", false, ""},
    {".Info      ", "", true, "font-size: 12pt; font-weight: bold; "},
    {".NavBar    ", "color: #660000; background-color: #f5f5dc; ", true,
     "font-size: 8pt; font-weight: bold; text-decoration: none; "},
    {".Off       ", "color: #A0A0A0; ", false, ""},
    // The one selector that is not padded with blanks alone.
    {".Tip \t    ", "color: #666666; ", true, "font-weight: normal; font-size: 9pt; "},
};

}  // namespace

void appendStyleRules(std::string& out, Margins margins) {
    out += "body       { ";
    out += kFont;
    out += "font-size: 9pt; ";
    if (margins == Margins::Zero) out += "margin-left: 0px; margin-top: 0px; margin-right: 0px; ";
    out += "}\r\n";
    for (const Rule& rule : kRules) {
        out += rule.selector;
        out += "{ ";
        out += rule.before;
        if (rule.font) out += kFont;
        out += rule.after;
        out += "}\r\n";
    }
}

}  // namespace publish
