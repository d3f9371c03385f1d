#include "publish/publisher.h"

#include "publish/base_address.h"
#include "publish/html_pages.h"
#include "publish/port_table.h"
#include "publish/program_identity.h"
#include "publish/published_port_types.h"
#include "publish/wsdl.h"
#include "soap/ascii_case.h"

#include <algorithm>
#include <exception>

namespace publish {

namespace {

// Every answer to /wsdl* is a list of lines, each ended by CR LF.
Answer lines(int status, std::string contentType, std::string content) {
    content += "\r\n";
    return {status, std::move(contentType), std::move(content)};
}

}  // namespace

Settings Settings::forProgram(std::string_view programPath) {
    Settings settings;
    settings.title = applicationTitle(programPath);
    settings.portTableFile = portTableFileName(programPath);
    return settings;
}

Publisher::Publisher(Settings settings, const soap::InvRegistry& registry, soap::RemTypeRegistry& types)
    : settings_(std::move(settings)), registry_(registry), types_(types) {}

Answer Publisher::dispatch(const Request& request) const {
    try {
        return answer(request);
    } catch (...) {
        return {200, "text/html", failurePage(std::current_exception())};
    }
}

Answer Publisher::answer(const Request& request) const {
    const std::string base = baseAddress(request.host, request.serverPort, request.https, request.scriptName);
    std::string_view path = request.pathInfo;
    if (path.ends_with('/')) path.remove_suffix(1);
    const std::size_t lastSlash = path.rfind('/');
    const std::string_view last = lastSlash == std::string_view::npos ? path : path.substr(lastSlash + 1);
    std::string_view previous;
    if (lastSlash != std::string_view::npos && lastSlash > 0) {
        const std::size_t slash = path.rfind('/', lastSlash - 1);
        previous =
            slash == std::string_view::npos ? path.substr(0, lastSlash) : path.substr(slash + 1, lastSlash - slash - 1);
    }

    if (last == "wsdl") {
        const auto portTypes = publishedPortTypes(registry_);
        std::string wsdlAddress = base;
        wsdlAddress += path;
        // The listing is already a list of lines.
        return {200, "text/html", listingPage(settings_.title, portTypes, wsdlAddress)};
    }
    if (last == "admin") return lines(403, "text/html", forbiddenPage());
    if (previous == "wsdl") {
        const soap::InterfaceEntry* interface = registry_.findByName(last);
        if (!interface) return lines(200, "text/html", interfaceNotFoundPage(last));
        // The default port keeps the name as the request spelled it.
        std::vector<Port> ports = portsFromTable(settings_.portTableFile, last);
        if (ports.empty()) ports.push_back(defaultPort(last, base));
        return lines(200, "text/xml", wsdlDocument(*interface, ports, settings_.targetNamespace, types_));
    }
    if (previous == "admin") return lines(403, "text/html", forbiddenPage());
    return {200, {}, {}};
}

Page Publisher::servicePage(const Request& request) const {
    const std::string base = baseAddress(request.host, request.serverPort, request.https, request.scriptName);
    const auto portTypes = publishedPortTypes(registry_);
    if (soap::equalsIgnoreCase(request.pathInfo, "/inspection.wsil"))
        return {inspectionDocument(portTypes, base), "text/xml"};
    // The port type named exactly so is shown in detail; a query that failed
    // to decode costs the types table.
    const std::string intf = request.query.value("intf");
    const auto selected = std::ranges::find(portTypes, intf, &soap::InterfaceEntry::name);
    const bool withTypes = request.query.error.empty() && request.query.value("types") == "1";
    return {publish::servicePage(settings_.title, base, portTypes, selected == portTypes.end() ? nullptr : *selected,
                                 withTypes, types_),
            {}};
}

}  // namespace publish
