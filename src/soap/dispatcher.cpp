// HTTPSoapPascalInvoker1 chooses the interface and answers the call, every
// failure after the choice as a fault; HTTPSoapDispatcher1 refuses
// attachments, sends the invoker's answer with status 200, or its own fault
// with 500 when no interface takes the call.
#include "soap/dispatcher.h"

#include "common/exception.h"
#include "soap/envelope_reader.h"
#include "soap/envelope_writer.h"
#include "soap/record_array_writer.h"

#include <exception>

namespace soap {

const InterfaceEntry& chooseInterface(const InvRegistry& registry, std::string_view soapAction,
                                      std::string_view pathInfo) {
    const InterfaceEntry* found = nullptr;
    std::string_view chosenBy;
    if (!soapAction.empty() && soapAction != "\"\"") {
        std::string_view action = soapAction;
        if (action.starts_with('"')) action.remove_prefix(1);
        if (action.ends_with('"')) action.remove_suffix(1);
        found = registry.findBySoapAction(action);
        if (!found)
            throw velmora::Exception("No interface  registered for soap action '" + std::string(soapAction) + "'");
        chosenBy = soapAction;
    } else {
        const std::size_t slash = pathInfo.rfind('/');
        const std::string_view last = slash == std::string_view::npos ? pathInfo : pathInfo.substr(slash + 1);
        found = registry.findByName(last);
        if (!found) throw velmora::Exception("No interface  registered for URL '" + std::string(pathInfo) + "'");
        chosenBy = pathInfo;
    }
    if (!registry.hasImplementation(found->name))
        throw velmora::Exception("No invokable class registered that implements interface " + found->name +
                                 " of (soap action/path) " + std::string(chosenBy));
    return *found;
}

velmora::Body invokeSoap(const InvRegistry& registry, const RemTypeRegistry& types, std::string_view soapAction,
                         std::string_view pathInfo, std::string_view body, velmora::CallSummary& call, Coding coding) {
    const InterfaceEntry& interface = chooseInterface(registry, soapAction, pathInfo);

    // From here on every failure, decoding included, is answered with a fault.
    try {
        const DecodedCall decoded = decodeRequest(body, interface);
        const Operation& op = *decoded.operation;
        call.operation = op.name;
        if (op.describe) op.describe(decoded.params, call);
        const std::unique_ptr<TInvokableClass> servant = registry.createServingObject(interface.name);
        if (!op.invoke) throw velmora::Exception("No class registered for invokable interface " + interface.name);
        const std::string ns = InvRegistry::namespaceOf(interface);
        if (op.result == ResultKind::RecordArray) {
            // The records go into the answer as the operation reads them; a
            // failure on the way leaves only the fault.
            RecordArrayWriter records(ns, op.name, *op.recordKind, types, coding);
            op.invoke(*servant, decoded.params, &records);
            call.rows = records.count();
            return records.finish();
        }
        return makeBody(writeResponse(ns, op.name, op.result, op.invoke(*servant, decoded.params, nullptr), types),
                        coding);
    } catch (const std::exception& e) {
        call.rows.reset();
        call.fault = e.what();
        return makeBody(writeFault(e), coding);
    }
}

HttpAnswer dispatchSoap(const InvRegistry& registry, const RemTypeRegistry& types, std::string_view soapAction,
                        std::string_view pathInfo, std::string_view contentType, std::string_view body, Coding coding) {
    HttpAnswer answer;
    answer.contentType = "text/xml";
    // MIME packages carry attachments, which no operation of this service takes.
    if (contentType.starts_with("multipart/related")) {
        answer.call.fault = "SOAP attachments are not supported";
        answer.body = makeBody(writeFault(FaultInfo{answer.call.fault, {}, {}, {}}), coding);
        return answer;
    }
    try {
        answer.body = invokeSoap(registry, types, soapAction, pathInfo, body, answer.call, coding);
    } catch (const std::exception& e) {
        answer.status = 500;
        answer.call.fault = e.what();
        answer.body = makeBody(dispatcherFault(e.what()), coding);
    }
    return answer;
}

}  // namespace soap
