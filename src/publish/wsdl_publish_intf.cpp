#include "publish/wsdl_publish_intf.h"

#include "publish/wsdl.h"
#include "publish/wsdl_publish_impl.h"

namespace publish {

namespace {

using soap::CallResult;
using soap::Operation;
using soap::Params;
using soap::ResultKind;
using soap::TInvokableClass;

IWSDLPublish& publisher(TInvokableClass& object) { return dynamic_cast<IWSDLPublish&>(object); }

Operation operation(const char* name, std::vector<std::string> params, ResultKind result,
                    std::function<CallResult(IWSDLPublish&, const Params&)> call) {
    Operation op;
    op.name = name;
    op.paramNames = std::move(params);
    op.result = result;
    op.invoke = [call = std::move(call)](TInvokableClass& self, const Params& p) { return call(publisher(self), p); };
    return op;
}

}  // namespace

void registerWSDLPublish(soap::InvRegistry& registry, soap::RemTypeRegistry& types) {
    if (registry.findByName(kWSDLPublishName)) return;
    soap::InterfaceEntry entry;
    entry.name = kWSDLPublishName;
    entry.unit = "wsdl_publish_intf";
    entry.guid = "{6B8E2C71-3F0A-4D5E-9A41-7C2D90E1B3F6}";
    entry.ns = kWSDLPublishNamespace;
    entry.soapAction = std::string(kWSDLPublishNamespace) + "-" + std::string(kWSDLPublishName);
    entry.documentation = "Lists all the PortTypes published by this Service";
    auto& ops = entry.operations;
    ops.push_back(operation("GetPortTypeList", {}, ResultKind::StringArray,
                            [](IWSDLPublish& p, const Params&) -> CallResult { return p.GetPortTypeList(); }));
    ops.push_back(
        operation("GetWSDLForPortType", {"PortType"}, ResultKind::String,
                  [](IWSDLPublish& p, const Params& a) -> CallResult { return p.GetWSDLForPortType(a.at(0)); }));
    ops.push_back(operation("GetTypeSystemsList", {}, ResultKind::StringArray,
                            [](IWSDLPublish& p, const Params&) -> CallResult { return p.GetTypeSystemsList(); }));
    ops.push_back(
        operation("GetXSDForTypeSystem", {"TypeSystem"}, ResultKind::String,
                  [](IWSDLPublish& p, const Params& a) -> CallResult { return p.GetXSDForTypeSystem(a.at(0)); }));
    registry.registerInterface(std::move(entry));

    // Its results name the string array type; enter it with the interface.
    stringArrayType(types);

    registry.registerInvokableClass(
        {"TWSDLPublish", std::string(kWSDLPublishName), [&registry, &types]() -> std::unique_ptr<TInvokableClass> {
             return std::make_unique<TWSDLPublish>(registry, types);
         }});
}

}  // namespace publish
