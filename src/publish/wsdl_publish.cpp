// IWSDLPublish's operations as the interface registry holds them, and
// TWSDLPublish, which answers them from the registries.
#include "publish/wsdl_publish.h"

#include "publish/wsdl.h"
#include "soap/registries.h"

#include <functional>
#include <memory>

namespace publish {

namespace {

using soap::CallResult;
using soap::Operation;
using soap::TInvokableClass;

// A SOAP call has no request to build addresses from, so its WSDL names no
// service ports.
class TWSDLPublish final : public TInvokableClass, public IWSDLPublish {
public:
    TWSDLPublish(const soap::InvRegistry& registry, const soap::RemTypeRegistry& types)
        : registry_(registry), types_(types) {}

    std::vector<std::string> GetPortTypeList() override {
        std::vector<std::string> names;
        for (const soap::InterfaceEntry* interface : registry_.interfaces()) names.push_back(interface->name);
        return names;
    }

    std::string GetWSDLForPortType(const std::string& PortType) override {
        const soap::InterfaceEntry* interface = registry_.findByName(PortType);
        return interface ? wsdlDocument(*interface, {}, types_) : std::string();
    }

    std::vector<std::string> GetTypeSystemsList() override { return types_.namespaces(); }

    std::string GetXSDForTypeSystem(const std::string& TypeSystem) override {
        return xsdDocument(registry_, types_, TypeSystem);
    }

private:
    const soap::InvRegistry& registry_;
    const soap::RemTypeRegistry& types_;
};

IWSDLPublish& served(TInvokableClass& object) { return dynamic_cast<IWSDLPublish&>(object); }

Operation operation(std::string name, std::vector<std::string> paramNames, soap::ResultKind result,
                    std::function<CallResult(TInvokableClass&, const soap::Params&)> invoke) {
    Operation op;
    op.name = std::move(name);
    op.paramNames = std::move(paramNames);
    op.result = result;
    // No operation of this port type answers records.
    op.invoke = [call = std::move(invoke)](TInvokableClass& self, const soap::Params& p, records::RecordSink*) {
        return call(self, p);
    };
    return op;
}

// An operation without parameters that answers a list of names.
Operation listOperation(std::string name, std::vector<std::string> (IWSDLPublish::*list)()) {
    return operation(
        std::move(name), {}, soap::ResultKind::StringArray,
        [list](TInvokableClass& self, const soap::Params&) -> CallResult { return (served(self).*list)(); });
}

// An operation that reads one text and answers a document.
Operation documentOperation(std::string name, std::string parameter,
                            std::string (IWSDLPublish::*read)(const std::string&)) {
    return operation(
        std::move(name), {std::move(parameter)}, soap::ResultKind::String,
        [read](TInvokableClass& self, const soap::Params& p) -> CallResult { return (served(self).*read)(p.at(0)); });
}

}  // namespace

void registerWSDLPublish(soap::InvRegistry& registry, soap::RemTypeRegistry& types) {
    if (registry.findByName(kWSDLPublishName)) return;
    soap::InterfaceEntry entry;
    entry.name = kWSDLPublishName;
    entry.unit = "wsdl_publish";
    entry.ns = kWSDLPublishNamespace;
    entry.soapAction = std::string(kWSDLPublishNamespace) + "-" + std::string(kWSDLPublishName);
    entry.documentation = "Lists all the PortTypes published by this Service";
    // In this order: a WSDL numbers its messages by it.
    entry.operations = {listOperation("GetPortTypeList", &IWSDLPublish::GetPortTypeList),
                        documentOperation("GetWSDLForPortType", "PortType", &IWSDLPublish::GetWSDLForPortType),
                        listOperation("GetTypeSystemsList", &IWSDLPublish::GetTypeSystemsList),
                        documentOperation("GetXSDForTypeSystem", "TypeSystem", &IWSDLPublish::GetXSDForTypeSystem)};
    registry.registerInterface(std::move(entry));

    // Its results name the string array type; enter it with the interface.
    addStringArrayType(types);

    registry.registerInvokableClass(
        {"TWSDLPublish", std::string(kWSDLPublishName), [&registry, &types]() -> std::unique_ptr<TInvokableClass> {
             return std::make_unique<TWSDLPublish>(registry, types);
         }});
}

}  // namespace publish
