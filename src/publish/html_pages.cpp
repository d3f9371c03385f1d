// The publisher's HTML pages as browsers have always got them, byte for byte:
// frame and style sheet, listing, service page and its tables, error pages.
#include "publish/html_pages.h"

#include "common/exception.h"
#include "common/text.h"
#include "publish/wsdl.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace publish {

namespace {

using velmora::htmlEscaped;

// A page is written as runs of fixed markup and values already escaped.
void append(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) out += piece;
}

// --- The frame: head, style sheet and banner

// The framed pages set the page margins to zero; the failure page keeps the
// browser's.
constexpr std::string_view kBodyRule =
    "body       { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 9pt; ";
constexpr std::string_view kZeroMargins = "margin-left: 0px; margin-top: 0px; margin-right: 0px; ";
// The other rules, one a line; ".Tip" is the one selector padded with a tab.
constexpr std::string_view kRules =
    "h1         { color: #333333; font-size: 18pt; font-style: normal; font-weight: bold; }\r\n"
    "h2         { color: #333333; font-size: 14pt; font-style: normal; font-weight: bold; }\r\n"
    "h3         { color: #333333; font-size: 12pt; font-style: normal; font-weight: bold; }\r\n"
    ".h1Style   { color: #333333; font-size: 18pt; font-style: normal; font-weight: bold; }\r\n"
    ".TblRow    { color: #333333; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 10pt; font-weight: normal; }\r\n"
    ".TblRow1   { color: #333333; background-color: #f5f5dc; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 9pt; font-weight: normal; }\r\n"
    ".TblRow0   { color: #333333; background-color: #d9d4aa; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 9pt; font-weight: normal; }\r\n"
    ".TblHdr    { color: #CCCC99; background-color: #333333; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 10pt; font-weight: bold; text-align: center; }\r\n"
    ".IntfName  { color: #660000; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 10pt; font-weight: bold; }\r\n"
    ".MethName  { color: #333333; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 8pt; font-weight: bold; text-decoration: none; }\r\n"
    ".ParmName  { color: #333333; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 8pt; text-decoration: none; }\r\n"
    ".Namespace { color: #333333; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 9pt; font-style: italic; }\r\n"
    ".WSDL      { color: #990000; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 8pt; font-weight: bold; }\r\n"
    ".MainBkgnd { background-color: #d9d4aa; }\r\n"
    ".Info      { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 12pt; font-weight: bold; }\r\n"
    ".NavBar    { color: #660000; background-color: #f5f5dc; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-size: 8pt; font-weight: bold; text-decoration: none; }\r\n"
    ".Off       { color: #A0A0A0; }\r\n"
    ".Tip \t    { color: #666666; font-family: Verdana, Arial, Helvetica, sans-serif; "
    "font-weight: normal; font-size: 9pt; }\r\n";

// "<html><head>", the head's own markup, the style sheet, "<body>".
void appendHead(std::string& out, std::string_view headMarkup, bool zeroMargins) {
    append(out, {"<html><head>", headMarkup, "</head><style type=\"text/css\"><!--\r\n", kBodyRule,
                 zeroMargins ? kZeroMargins : "", "}\r\n", kRules, "--></style>\r\n<body>"});
}

// The head with the application's title and the banner "title - pageName".
void appendFrame(std::string& out, std::string_view headExtra, std::string_view title, std::string_view pageName) {
    const std::string escapedTitle = htmlEscaped(title);
    appendHead(out, std::string(headExtra) + "<title>" + escapedTitle + "</title>", true);
    append(out, {"<table class=\"MainBkgnd\" border=0 cellpadding=0 cellspacing=0 width=\"100%\">"
                 "<tr><td>&nbsp;</td></tr><tr><td class=\"h1Style\" align=\"center\">",
                 escapedTitle, " - ", pageName, "</td></tr></table>"});
}

// <td class="cls">markup</td>, then `after`.
void appendCell(std::string& out, std::string_view cls, std::string_view markup, std::string_view after = {}) {
    append(out, {"<td class=\"", cls, "\">", markup, "</td>", after});
}

// --- The service page's port type table

// A caption row of the table, and the empty row under it.
void appendCaption(std::string& out, std::initializer_list<std::string_view> markup) {
    out += "<tr><td width=\"1%\" class=\"Info\">&nbsp;</td><td width=\"99%\" class=\"Info\">\r\n";
    append(out, markup);
    out += "</td></tr>\r\n<tr><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n";
}

// One line per operation: the result type and the signature.
void appendSignatures(std::string& out, const soap::InterfaceEntry& portType, const soap::RemTypeRegistry& types) {
    out += "<table>\r\n";
    for (const soap::Operation& op : portType.operations) {
        const std::optional<XmlTypeName> result = resultType(op, types);
        append(out, {"<tr><td width=\"10%\" class=\"MethName\">&nbsp;</td><td class=\"ParmName\">",
                     htmlEscaped(result ? std::string_view(result->name) : "void"),
                     " </td><td><span class=\"MethName\">", htmlEscaped(op.name), "(</span>"});
        const std::string parameterTypeName = htmlEscaped(parameterType(types).name);
        for (std::size_t i = 0; i < op.paramNames.size(); ++i)
            append(out, {"<span class=\"MethName\">", i > 0 ? ", " : "", "</span><span class=\"ParmName\">",
                         parameterTypeName, "</span><span class=\"MethName\">&nbsp;", htmlEscaped(op.paramNames[i]),
                         "</span>"});
        out += "<span class=\"MethName\">)</span></td></tr>\r\n";
    }
    out += "</table>\r\n";
}

// A port type's row: its name (a link to its detail in the full list), its
// WSDL link, in detail its namespace, its documentation, its operations.
void appendPortTypeRow(std::string& out, std::string_view base, const soap::InterfaceEntry& portType, bool detail,
                       const soap::RemTypeRegistry& types) {
    const std::string name = htmlEscaped(portType.name);
    out += "<tr><td width=\"1%\">&nbsp;</td><td width=\"99%\"><ul><li>\r\n";
    if (detail)
        append(out, {"<span class=\"IntfName\">", name, "</span>\r\n"});
    else
        append(out, {"<a class=\"IntfName\" href=\"", base, "?intf=", name, "\">", name, "</a>\r\n"});
    append(out, {"<span class=\"WSDL\">[</span><a class=\"WSDL\" href=\"", base, "/wsdl/", name,
                 "\">WSDL</a><span class=\"WSDL\">]</span>\r\n"});
    if (detail)
        append(out, {"&nbsp;<span class=\"Namespace\">(", htmlEscaped(soap::InvRegistry::namespaceOf(portType)),
                     ")</span>\r\n"});
    if (!portType.documentation.empty())
        append(out, {"<table><tr><td width=\"2%\">&nbsp;</td><td>\r\n<span class=\"Tip\">",
                     htmlEscaped(portType.documentation), "</span></td></tr></table>\r\n"});
    if (detail)
        appendSignatures(out, portType, types);
    else
        for (const soap::Operation& op : portType.operations)
            append(out, {"<ul><li><span class=\"MethName\">", htmlEscaped(op.name), "</span></li></ul>"});
    out += "</li></ul></td></tr>";
}

void appendPortTypeTable(std::string& out, std::string_view title, std::string_view baseAddress,
                         std::span<const soap::InterfaceEntry* const> portTypes, const soap::InterfaceEntry* selected,
                         const soap::RemTypeRegistry& types) {
    const std::string base = htmlEscaped(baseAddress);
    out += "<br><table width=\"100%\" border=0 cellpadding=1 cellspacing=0>\r\n";
    if (selected) {
        appendCaption(out, {"<a href=\"", base, "\">", htmlEscaped(title), "</a>&nbsp;&gt;&nbsp;<span class=\"Off\">",
                            htmlEscaped(selected->name), "</span>"});
        appendPortTypeRow(out, base, *selected, true, types);
    } else {
        appendCaption(out, {htmlEscaped(title), " - PortTypes:"});
        for (const soap::InterfaceEntry* portType : portTypes) appendPortTypeRow(out, base, *portType, false, types);
        appendCaption(
            out, {"WSIL:&nbsp;&nbsp;<span class=\"Tip\">Link to WS-Inspection document of Services <a href=\"", base,
                  "/inspection.wsil\">here</a></span>"});
    }
    out += "</table>";
}

// --- The service page's types table: the listed entries of the type
// registry, then the record arrays that the port type's detail above named,
// the rows alternating in colour and numbered.

std::string typesTable(const soap::RemTypeRegistry& types, const soap::InterfaceEntry* detailed) {
    std::vector<soap::TypeEntry> entries = types.entries();
    if (detailed)
        for (const soap::Operation& op : detailed->operations) {
            if (op.result != soap::ResultKind::RecordArray || !op.recordKind) continue;
            const soap::TypeEntry& array = types.recordArray(*op.recordKind);
            if (std::ranges::none_of(entries, [&](const soap::TypeEntry& e) {
                    return e.nativeName == array.nativeName && e.ns == array.ns;
                }))
                entries.push_back(array);
        }
    std::string out =
        "<a name=\"types\"></a><center><h3>Registered Types</h3><table cellpadding=2 cellspacing=1 border=0><tr>";
    for (std::string_view header : {"Type", "XML Name", "Namespace", "Class", "Address", "ExtName"})
        appendCell(out, "TblHdr", header);
    out += "</tr>";
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const soap::TypeEntry& e = entries[row];
        const std::string_view cls = row % 2 == 0 ? "TblRow1" : "TblRow0";
        out += "<tr>";
        for (const std::string& cell :
             {htmlEscaped(e.nativeName), htmlEscaped(e.xmlName), htmlEscaped(e.ns),
              htmlEscaped(e.className) + ' ' + htmlEscaped(e.kindText), std::to_string(row + 1), std::string()})
            appendCell(out, cls, cell);
        out += "</tr>";
    }
    out += "</table></center>";
    return out;
}

// --- The short pages: no frame, no style sheet.

std::string messagePage(std::string_view heading, std::string_view paragraph) {
    std::string page;
    append(page, {"<html><head></head><body><h1>", heading, "</h1><P>", paragraph, "</P></body></html>"});
    return page;
}

}  // namespace

std::string listingPage(std::string_view title, std::span<const soap::InterfaceEntry* const> portTypes,
                        std::string_view wsdlAddress) {
    std::string out;
    appendFrame(out, {}, title, "WebService Listing");
    out += "\r\n<center><br>\r\n<table border=1 cellspacing=1 cellpadding=2 >\r\n<tr>\r\n";
    for (std::string_view header : {"Port Type", "Namespace URI", "Documentation", "WSDL"})
        appendCell(out, "TblHdr", header, "\r\n");
    out += "</tr>\r\n";
    const std::string address = htmlEscaped(wsdlAddress);
    for (const soap::InterfaceEntry* portType : portTypes) {
        const std::string name = htmlEscaped(portType->name);
        out += "<tr>\r\n";
        appendCell(out, "TblRow", name, "\r\n");
        appendCell(out, "TblRow", htmlEscaped(soap::InvRegistry::namespaceOf(*portType)), "\r\n");
        appendCell(out, "TblRow", portType->documentation.empty() ? "&nbsp;" : htmlEscaped(portType->documentation),
                   "\r\n");
        appendCell(out, "TblRow", "<a href=\"" + address + '/' + name + "\">" + name + "</a>", "\r\n");
        out += "</tr>\r\n";
    }
    out += "</table>\r\n</center>\r\n</body></html>\r\n";
    return out;
}

std::string servicePage(std::string_view title, std::string_view baseAddress,
                        std::span<const soap::InterfaceEntry* const> portTypes, const soap::InterfaceEntry* selected,
                        bool withTypes, const soap::RemTypeRegistry& types) {
    std::string out;
    appendFrame(out, "<META name=\"serviceInspection\" content=\"inspection.wsil\">", title, "Service Info Page");
    appendPortTypeTable(out, title, baseAddress, portTypes, selected, types);
    if (withTypes) {
        // The types table is an extra: when it cannot be built, the page goes
        // without it.
        try {
            out += typesTable(types, selected);
        } catch (const std::exception&) {}
    }
    out += "</body></html>";
    return out;
}

std::string forbiddenPage() { return messagePage("Forbidden (403)", "Access Forbidden"); }

std::string interfaceNotFoundPage(std::string_view portType) {
    return messagePage("Error Encountered", "Interface " + htmlEscaped(portType) + " not found");
}

std::string failurePage(std::exception_ptr failure) {
    std::string page;
    appendHead(page, {}, false);
    const std::optional<velmora::ExceptionText> text = velmora::describe(failure);
    if (text)
        append(page, {"<h1>Error: ", htmlEscaped(text->message), "/", htmlEscaped(text->typeName), "</h1>"});
    else
        page += "<h1>Unknown Error</h1>";
    page += "</body></html>";
    return page;
}

}  // namespace publish
