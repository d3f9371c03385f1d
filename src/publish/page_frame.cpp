#include "publish/page_frame.h"

#include "publish/html_text.h"
#include "publish/style_sheet.h"

namespace publish {

void appendPageHead(std::string& out, std::string_view headExtra, std::string_view title) {
    out += "<html><head>";
    out += headExtra;
    out += "<title>";
    appendHtml(out, title);
    out += "</title></head><style type=\"text/css\"><!--\r\n";
    appendStyleRules(out, Margins::Zero);
    out += "--></style>\r\n<body>";
}

void appendBanner(std::string& out, std::string_view title, std::string_view pageName) {
    out +=
        "<table class=\"MainBkgnd\" border=0 cellpadding=0 cellspacing=0 width=\"100%\"><tr><td>&nbsp;</td></tr>"
        "<tr><td class=\"h1Style\" align=\"center\">";
    appendHtml(out, title);
    out += " - ";
    out += pageName;
    out += "</td></tr></table>";
}

}  // namespace publish
