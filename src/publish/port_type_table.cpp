#include "publish/port_type_table.h"

#include "publish/html_text.h"
#include "publish/wsdl.h"

namespace publish {

namespace {

constexpr std::string_view kCaptionOpen =
    "<tr><td width=\"1%\" class=\"Info\">&nbsp;</td><td width=\"99%\" class=\"Info\">\r\n";
constexpr std::string_view kCaptionClose = "</td></tr>\r\n<tr><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n";

void appendOperationNames(std::string& out, const soap::InterfaceEntry& portType) {
    for (const soap::Operation& op : portType.operations) {
        out += "<ul><li><span class=\"MethName\">";
        appendHtml(out, op.name);
        out += "</span></li></ul>";
    }
}

// One row per operation: the result type and the signature.
void appendOperationDetails(std::string& out, const soap::InterfaceEntry& portType, soap::RemTypeRegistry& types) {
    out += "<table>\r\n";
    for (const soap::Operation& op : portType.operations) {
        out += "<tr><td width=\"10%\" class=\"MethName\">&nbsp;</td><td class=\"ParmName\">";
        const std::optional<XmlTypeName> result = resultType(op, types);
        appendHtml(out, result ? std::string_view(result->name) : "void");
        out += " </td><td><span class=\"MethName\">";
        appendHtml(out, op.name);
        out += "(</span>";
        const std::string parameterTypeName = html(parameterType(op, types).name);
        for (std::size_t i = 0; i < op.paramNames.size(); ++i) {
            out += "<span class=\"MethName\">";
            if (i > 0) out += ", ";
            out += "</span><span class=\"ParmName\">";
            out += parameterTypeName;
            out += "</span><span class=\"MethName\">&nbsp;";
            appendHtml(out, op.paramNames[i]);
            out += "</span>";
        }
        out += "<span class=\"MethName\">)</span></td></tr>\r\n";
    }
    out += "</table>\r\n";
}

}  // namespace

void appendPortTypeTable(std::string& out, std::string_view title, std::string_view baseAddress,
                         std::span<const soap::InterfaceEntry* const> portTypes, const soap::InterfaceEntry* selected,
                         soap::RemTypeRegistry& types) {
    const std::string base = html(baseAddress);
    out += "<br><table width=\"100%\" border=0 cellpadding=1 cellspacing=0>\r\n";
    out += kCaptionOpen;
    if (selected) {
        out += "<a href=\"";
        out += base;
        out += "\">";
        appendHtml(out, title);
        out += "</a>&nbsp;&gt;&nbsp;<span class=\"Off\">";
        appendHtml(out, selected->name);
        out += "</span>";
    } else {
        appendHtml(out, title);
        out += " - PortTypes:";
    }
    out += kCaptionClose;

    const std::span<const soap::InterfaceEntry* const> shown =
        selected ? std::span<const soap::InterfaceEntry* const>(&selected, 1) : portTypes;
    for (const soap::InterfaceEntry* portType : shown) {
        const std::string name = html(portType->name);
        out += "<tr><td width=\"1%\">&nbsp;</td><td width=\"99%\"><ul>";
        if (selected) {
            out += "<li>\r\n<span class=\"IntfName\">";
            out += name;
            out += "</span>\r\n";
        } else {
            out += "<li>\r\n<a class=\"IntfName\" href=\"";
            out += base;
            out += "?intf=";
            out += name;
            out += "\">";
            out += name;
            out += "</a>\r\n";
        }
        out += "<span class=\"WSDL\">[</span><a class=\"WSDL\" href=\"";
        out += base;
        out += "/wsdl/";
        out += name;
        out += "\">WSDL</a><span class=\"WSDL\">]</span>\r\n";
        if (selected) {
            out += "&nbsp;<span class=\"Namespace\">(";
            appendHtml(out, soap::InvRegistry::namespaceOf(*portType));
            out += ")</span>\r\n";
        }
        if (!portType->documentation.empty()) {
            out += "<table><tr><td width=\"2%\">&nbsp;</td><td>\r\n<span class=\"Tip\">";
            appendHtml(out, portType->documentation);
            out += "</span></td></tr></table>\r\n";
        }
        if (selected)
            appendOperationDetails(out, *portType, types);
        else
            appendOperationNames(out, *portType);
        out += "</li></ul></td></tr>";
    }

    if (!selected) {
        out += kCaptionOpen;
        out += "WSIL:&nbsp;&nbsp;<span class=\"Tip\">Link to WS-Inspection document of Services <a href=\"";
        out += base;
        out += "/inspection.wsil\">here</a></span>";
        out += kCaptionClose;
    }
    out += "</table>";
}

}  // namespace publish
