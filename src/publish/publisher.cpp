// The publisher: which page or document a request gets, the addresses and
// ports written into them, and the program's title and port table file.
#include "publish/publisher.h"

#include "common/ini_file.h"
#include "common/text.h"
#include "publish/html_pages.h"
#include "publish/wsdl.h"
#include "publish/wsdl_publish.h"

#include <sys/stat.h>
#include <algorithm>
#include <exception>

namespace publish {

namespace {

std::string baseAddress(const Request& request) {
    std::string base = request.https ? "https://" : "http://";
    base += request.host;
    const std::int64_t defaultPort = request.https ? 443 : 80;
    if (request.serverPort != defaultPort && request.host.find(':') == std::string::npos)
        base += ':' + std::to_string(request.serverPort);
    base += request.scriptName;
    return base;
}

std::vector<const soap::InterfaceEntry*> publishedPortTypes(const soap::InvRegistry& registry) {
    std::vector<const soap::InterfaceEntry*> published;
    const soap::InterfaceEntry* own = nullptr;
    for (const soap::InterfaceEntry* entry : registry.interfaces()) {
        if (!registry.hasImplementation(entry->name)) continue;
        if (entry->name == kWSDLPublishName)
            own = entry;
        else
            published.push_back(entry);
    }
    if (own) published.push_back(own);
    return published;
}

// The keys of the section named `portType` (letter case ignored) as port
// names, their values as addresses, in file order. Empty when the file does
// not exist or has no such section; throws when it exists but cannot be read.
std::vector<Port> portsFromTable(const std::string& fileName, std::string_view portType) {
    struct stat info {};
    if (fileName.empty() || ::stat(fileName.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return {};
    const velmora::IniFile table = velmora::IniFile::load(fileName);
    std::vector<Port> ports;
    for (std::string& key : table.keys(portType)) {
        std::string address = table.readString(portType, key);
        ports.push_back({std::move(key), std::move(address)});
    }
    return ports;
}

// Every answer to /wsdl* is a list of lines, each ended by CR LF.
Answer lines(int status, std::string contentType, std::string content) {
    content += "\r\n";
    return {status, std::move(contentType), std::move(content)};
}

}  // namespace

Settings Settings::forProgram(std::string_view programPath) {
    const std::size_t slash = programPath.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    // The extension starts at the file name's last ".", when it has one.
    const std::size_t dot = programPath.rfind('.');
    const std::size_t extension = dot == std::string_view::npos || dot < nameStart ? programPath.size() : dot;
    Settings settings;
    settings.title = programPath.substr(nameStart, extension - nameStart);
    settings.portTableFile = std::string(programPath.substr(0, extension)) + "_WSDLADMIN.INI";
    return settings;
}

Publisher::Publisher(Settings settings, const soap::InvRegistry& registry, const soap::RemTypeRegistry& types)
    : settings_(std::move(settings)), registry_(registry), types_(types) {}

Answer Publisher::dispatch(const Request& request) const {
    try {
        return answer(request);
    } catch (...) {
        return {200, "text/html", failurePage(std::current_exception())};
    }
}

// The last two segments of the path decide, in this order: ".../wsdl" the
// listing, ".../admin" Forbidden, ".../wsdl/<port type>" its WSDL,
// ".../admin/<x>" Forbidden; anything else an empty answer.
Answer Publisher::answer(const Request& request) const {
    const std::string base = baseAddress(request);
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
        // The listing is already a list of lines.
        return {200, "text/html",
                listingPage(settings_.title, publishedPortTypes(registry_), base + std::string(path))};
    }
    if (last == "admin") return lines(403, "text/html", forbiddenPage());
    if (previous == "wsdl") {
        const soap::InterfaceEntry* interface = registry_.findByName(last);
        if (!interface) return lines(200, "text/html", interfaceNotFoundPage(last));
        std::vector<Port> ports = portsFromTable(settings_.portTableFile, last);
        // The default port keeps the name as the request spelled it.
        if (ports.empty()) ports.push_back({std::string(last) + "Port", base + "/soap/" + std::string(last)});
        return lines(200, "text/xml", wsdlDocument(*interface, ports, types_));
    }
    if (previous == "admin") return lines(403, "text/html", forbiddenPage());
    return {200, {}, {}};
}

Page Publisher::servicePage(const Request& request) const {
    const std::string base = baseAddress(request);
    const auto portTypes = publishedPortTypes(registry_);
    if (velmora::equalsIgnoringCase(request.pathInfo, "/inspection.wsil"))
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
