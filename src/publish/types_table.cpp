#include "publish/types_table.h"

#include "publish/html_text.h"

namespace publish {

void appendTypesTable(std::string& out, const soap::RemTypeRegistry& types) {
    const std::vector<soap::TypeEntry> entries = types.entries();
    if (entries.empty()) return;
    out +=
        "<a name=\"types\"></a><center><h3>Registered Types</h3><table cellpadding=2 cellspacing=1 border=0>"
        "<tr><td class=\"TblHdr\">Type</td><td class=\"TblHdr\">XML Name</td><td class=\"TblHdr\">Namespace</td>"
        "<td class=\"TblHdr\">Class</td><td class=\"TblHdr\">Address</td><td class=\"TblHdr\">ExtName</td></tr>";
    bool odd = true;  // rows alternate, starting with TblRow1
    for (const soap::TypeEntry& e : entries) {
        const std::string_view cls = odd ? "TblRow1" : "TblRow0";
        odd = !odd;
        const auto cell = [&](auto&& fill) {
            out += "<td class=\"";
            out += cls;
            out += "\">";
            fill();
            out += "</td>";
        };
        out += "<tr>";
        cell([&] { appendHtml(out, e.nativeName); });
        cell([&] { appendHtml(out, e.xmlName); });
        cell([&] { appendHtml(out, e.ns); });
        cell([&] {
            appendHtml(out, e.className);
            out += ' ';
            appendHtml(out, e.kindText);
        });
        cell([&] { out += std::to_string(e.id); });
        cell([] {});  // no type is given an external name
        out += "</tr>";
    }
    out += "</table></center>";
}

}  // namespace publish
