#include "publish/listing_page.h"

#include "publish/html_text.h"
#include "publish/page_frame.h"

namespace publish {

namespace {

void cell(std::string& out, std::string_view cls, std::string_view escapedText) {
    out += "<td class=\"";
    out += cls;
    out += "\">";
    out += escapedText;
    out += "</td>\r\n";
}

}  // namespace

std::string listingPage(std::string_view title, std::span<const soap::InterfaceEntry* const> portTypes,
                        std::string_view wsdlAddress) {
    std::string out;
    out.reserve(4096 + 512 * portTypes.size());
    appendPageHead(out, {}, title);
    appendBanner(out, title, "WebService Listing");
    out += "\r\n<center><br>\r\n";
    out += "<table border=1 cellspacing=1 cellpadding=2 >\r\n<tr>\r\n";
    for (std::string_view header : {"Port Type", "Namespace URI", "Documentation", "WSDL"}) cell(out, "TblHdr", header);
    out += "</tr>\r\n";
    for (const soap::InterfaceEntry* portType : portTypes) {
        const std::string name = html(portType->name);
        out += "<tr>\r\n";
        cell(out, "TblRow", name);
        cell(out, "TblRow", html(soap::InvRegistry::namespaceOf(*portType)));
        cell(out, "TblRow", portType->documentation.empty() ? std::string("&nbsp;") : html(portType->documentation));
        std::string link = "<a href=\"";
        appendHtml(link, wsdlAddress);
        link += '/';
        link += name;
        link += "\">";
        link += name;
        link += "</a>";
        cell(out, "TblRow", link);
        out += "</tr>\r\n";
    }
    out += "</table>\r\n</center>\r\n</body></html>\r\n";
    return out;
}

}  // namespace publish
