// The interface registry: every invokable interface with its namespace, SOAP
// actions, operations and implementation class, in registration order.
#pragma once

#include "soap/invokable.h"

#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace soap {

struct InterfaceEntry {
    std::string name;        // "IVelmora"
    std::string unit;        // "VelmoraIntf"
    std::string guid;        // used in-process only
    std::string ns;          // explicit namespace; empty: derived "urn:" unit "-" name
    std::string soapAction;  // explicit SOAP action for every operation; empty: ns "#" op
    std::string wsdlEncoding;
    std::string documentation;
    std::string externalName;
    std::vector<Operation> operations;  // declared order
};

struct ImplementationEntry {
    std::string className;  // "TVelmora"
    std::string interfaceName;
    std::function<std::unique_ptr<TInvokableClass>()> create;
};

class InvRegistry {
public:
    static InvRegistry& instance();

    // Registering an interface a second time changes nothing.
    void registerInterface(InterfaceEntry entry);
    void registerInvokableClass(ImplementationEntry entry);

    // Entries are never removed or moved: pointers stay valid for the process.
    std::vector<const InterfaceEntry*> interfaces() const;
    const InterfaceEntry* findByName(std::string_view name) const;  // letter case ignored
    // Namespace compared exactly, both cut at their first "#".
    const InterfaceEntry* findBySoapActionNamespace(std::string_view ns) const;
    // The interface whose explicit SOAP action is exactly `action`.
    const InterfaceEntry* findByExplicitSoapAction(std::string_view action) const;
    bool hasImplementation(std::string_view interfaceName) const;
    // A new serving object; throws when no class implements the interface.
    std::unique_ptr<TInvokableClass> createServingObject(std::string_view interfaceName) const;

    static std::string namespaceOf(const InterfaceEntry& entry);
    static std::string soapActionOf(const InterfaceEntry& entry, std::string_view operation);

private:
    mutable std::mutex lock_;
    std::deque<InterfaceEntry> interfaces_;
    std::deque<ImplementationEntry> implementations_;
};

}  // namespace soap
