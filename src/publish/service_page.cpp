#include "publish/service_page.h"

#include "publish/page_frame.h"
#include "publish/port_type_table.h"
#include "publish/types_table.h"

#include <exception>

namespace publish {

namespace {

// The port type named exactly so, or null for the full list.
const soap::InterfaceEntry* selectedPortType(std::span<const soap::InterfaceEntry* const> portTypes,
                                             std::string_view intf) {
    for (const soap::InterfaceEntry* portType : portTypes)
        if (portType->name == intf) return portType;
    return nullptr;
}

// The table is an extra: when it cannot be built, the page goes without it.
// A query that failed to decode fails this step too.
void appendRequestedTypesTable(std::string& out, const QueryText& query, const soap::RemTypeRegistry& types) {
    if (!query.error.empty() || query.value("types") != "1") return;
    try {
        std::string table;
        appendTypesTable(table, types);
        out += table;
    } catch (const std::exception&) {}
}

}  // namespace

std::string servicePage(std::string_view title, std::string_view baseAddress,
                        std::span<const soap::InterfaceEntry* const> portTypes, const QueryText& query,
                        soap::RemTypeRegistry& types) {
    std::string out;
    out.reserve(8192 + 2048 * portTypes.size());
    appendPageHead(out, "<META name=\"serviceInspection\" content=\"inspection.wsil\">", title);
    appendBanner(out, title, "Service Info Page");
    appendPortTypeTable(out, title, baseAddress, portTypes, selectedPortType(portTypes, query.value("intf")), types);
    appendRequestedTypesTable(out, query, types);
    out += "</body></html>";
    return out;
}

}  // namespace publish
