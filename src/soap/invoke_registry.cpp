#include "soap/invoke_registry.h"

#include "common/exception.h"
#include "soap/ascii_case.h"

namespace soap {

namespace {

std::string_view cutAtHash(std::string_view s) { return s.substr(0, s.find('#')); }

}  // namespace

InvRegistry& InvRegistry::instance() {
    static InvRegistry registry;
    return registry;
}

void InvRegistry::registerInterface(InterfaceEntry entry) {
    std::lock_guard guard(lock_);
    for (const InterfaceEntry& known : interfaces_)
        if (equalsIgnoreCase(known.name, entry.name)) return;
    interfaces_.push_back(std::move(entry));
}

void InvRegistry::registerInvokableClass(ImplementationEntry entry) {
    if (entry.interfaceName.empty())
        throw velmora::Exception("Invokable Class " + entry.className + " implements no interfaces");
    std::lock_guard guard(lock_);
    implementations_.push_back(std::move(entry));
}

std::vector<const InterfaceEntry*> InvRegistry::interfaces() const {
    std::lock_guard guard(lock_);
    std::vector<const InterfaceEntry*> all;
    all.reserve(interfaces_.size());
    for (const InterfaceEntry& e : interfaces_) all.push_back(&e);
    return all;
}

const InterfaceEntry* InvRegistry::findByName(std::string_view name) const {
    std::lock_guard guard(lock_);
    for (const InterfaceEntry& e : interfaces_)
        if (equalsIgnoreCase(e.name, name)) return &e;
    return nullptr;
}

const InterfaceEntry* InvRegistry::findBySoapActionNamespace(std::string_view ns) const {
    const std::string_view wanted = cutAtHash(ns);
    std::lock_guard guard(lock_);
    for (const InterfaceEntry& e : interfaces_)
        if (cutAtHash(namespaceOf(e)) == wanted) return &e;
    return nullptr;
}

const InterfaceEntry* InvRegistry::findByExplicitSoapAction(std::string_view action) const {
    std::lock_guard guard(lock_);
    for (const InterfaceEntry& e : interfaces_)
        if (!e.soapAction.empty() && e.soapAction == action) return &e;
    return nullptr;
}

bool InvRegistry::hasImplementation(std::string_view interfaceName) const {
    std::lock_guard guard(lock_);
    for (const ImplementationEntry& c : implementations_)
        if (equalsIgnoreCase(c.interfaceName, interfaceName)) return true;
    return false;
}

std::unique_ptr<TInvokableClass> InvRegistry::createServingObject(std::string_view interfaceName) const {
    std::function<std::unique_ptr<TInvokableClass>()> create;
    {
        std::lock_guard guard(lock_);
        for (const ImplementationEntry& c : implementations_)
            if (equalsIgnoreCase(c.interfaceName, interfaceName) && c.create) {
                create = c.create;
                break;
            }
    }
    // The constructor runs outside the lock: it may well use the registry.
    std::unique_ptr<TInvokableClass> object = create ? create() : nullptr;
    if (!object) throw velmora::Exception("No class registered for invokable interface " + std::string(interfaceName));
    return object;
}

std::string InvRegistry::namespaceOf(const InterfaceEntry& entry) {
    if (!entry.ns.empty()) return entry.ns;
    return "urn:" + entry.unit + "-" + entry.name;
}

std::string InvRegistry::soapActionOf(const InterfaceEntry& entry, std::string_view operation) {
    if (!entry.soapAction.empty()) return entry.soapAction;
    std::string action = namespaceOf(entry);
    action += '#';
    action += operation;
    return action;
}

}  // namespace soap
