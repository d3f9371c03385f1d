#include "publish/wsil_document.h"

#include "publish/indented_xml.h"
#include "publish/wsdl_namespaces.h"

namespace publish {

std::string inspectionDocument(std::span<const soap::InterfaceEntry* const> portTypes, std::string_view baseAddress) {
    std::string out;
    out.reserve(512 + 384 * portTypes.size());
    IndentedXml xml(out);
    xml.declaration();
    xml.open("inspection").attribute("xmlns", kInspectionNs);
    for (const soap::InterfaceEntry* portType : portTypes) {
        std::string location(baseAddress);
        location += "/wsdl/";
        location += portType->name;
        xml.open("service");
        xml.open("abstract").text(portType->documentation).close();
        xml.open("name").text(portType->name).close();
        xml.empty("description", {{"referencedNamespace", kWsdlNs}, {"location", location}});
        xml.close();
    }
    xml.close();
    return out;
}

}  // namespace publish
