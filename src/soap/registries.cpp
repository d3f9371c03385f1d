// The interface and type registries: lookups by name, SOAP action and
// namespace, serving objects, and the XML names of scalars and record types.
#include "soap/registries.h"

#include "common/exception.h"
#include "common/text.h"
#include "soap/wire_format.h"

#include <algorithm>

namespace soap {

using velmora::equalsIgnoringCase;

// --- The interface registry

void InvRegistry::registerInterface(InterfaceEntry entry) {
    if (findByName(entry.name)) return;
    interfaces_.push_back(std::move(entry));
}

void InvRegistry::registerInvokableClass(ImplementationEntry entry) {
    if (entry.interfaceName.empty())
        throw velmora::Exception("Invokable Class " + entry.className + " implements no interfaces");
    implementations_.push_back(std::move(entry));
}

std::vector<const InterfaceEntry*> InvRegistry::interfaces() const {
    std::vector<const InterfaceEntry*> all;
    all.reserve(interfaces_.size());
    for (const InterfaceEntry& e : interfaces_) all.push_back(&e);
    return all;
}

const InterfaceEntry* InvRegistry::findByName(std::string_view name) const {
    const auto it = std::ranges::find_if(interfaces_, [&](const auto& e) { return equalsIgnoringCase(e.name, name); });
    return it == interfaces_.end() ? nullptr : &*it;
}

const InterfaceEntry* InvRegistry::findBySoapAction(std::string_view action) const {
    const auto cutAtHash = [](std::string_view s) { return s.substr(0, s.find('#')); };
    auto it = std::ranges::find_if(interfaces_,
                                   [&](const auto& e) { return cutAtHash(namespaceOf(e)) == cutAtHash(action); });
    if (it == interfaces_.end())
        it = std::ranges::find_if(interfaces_,
                                  [&](const auto& e) { return !e.soapAction.empty() && e.soapAction == action; });
    return it == interfaces_.end() ? nullptr : &*it;
}

const ImplementationEntry* InvRegistry::implementationOf(std::string_view interfaceName) const {
    const auto it = std::ranges::find_if(
        implementations_, [&](const auto& c) { return equalsIgnoringCase(c.interfaceName, interfaceName); });
    return it == implementations_.end() ? nullptr : &*it;
}

bool InvRegistry::hasImplementation(std::string_view interfaceName) const {
    return implementationOf(interfaceName) != nullptr;
}

std::unique_ptr<TInvokableClass> InvRegistry::createServingObject(std::string_view interfaceName) const {
    const ImplementationEntry* implementation = implementationOf(interfaceName);
    std::unique_ptr<TInvokableClass> object =
        implementation && implementation->create ? implementation->create() : nullptr;
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

// --- The type registry

namespace {

struct ScalarDef {
    std::string_view nativeName;
    std::string_view xmlName;
    std::string_view kindText;
};

// In the order of ScalarType: entry i of every registry is scalar i.
constexpr ScalarDef kScalars[] = {
    {"string", "string", "(tkLString)"},
    {"Integer", "int", "(tkInteger)"},
    {"Double", "double", "(tkFloat)"},
};

const TypeEntry* findIn(const std::deque<TypeEntry>& entries, std::string_view nativeName, std::string_view ns) {
    const auto it =
        std::ranges::find_if(entries, [&](const TypeEntry& e) { return e.nativeName == nativeName && e.ns == ns; });
    return it == entries.end() ? nullptr : &*it;
}

const TypeEntry& registered(const TypeEntry* entry, std::string_view name) {
    if (!entry) throw velmora::Exception("Remotable Type " + std::string(name) + " not registered");
    return *entry;
}

}  // namespace

ScalarType scalarTypeOf(records::FieldKind kind) noexcept {
    switch (kind) {
    case records::FieldKind::Real: return ScalarType::Double;
    case records::FieldKind::Integer: return ScalarType::Int;
    case records::FieldKind::Text: break;
    }
    return ScalarType::String;
}

RemTypeRegistry::RemTypeRegistry() {
    for (const ScalarDef& s : kScalars)
        add({std::string(s.nativeName),
             std::string(s.xmlName),
             std::string(kXmlSchemaNs),
             {},
             std::string(s.kindText)});
}

const TypeEntry& RemTypeRegistry::add(TypeEntry entry) {
    entries_.push_back(std::move(entry));
    return entries_.back();
}

// A kind's class and array enter together.
void RemTypeRegistry::addRecordTypes(const InterfaceEntry& interface) {
    for (const Operation& op : interface.operations) {
        if (!op.recordKind || findRecordType(op.recordKind->recordType, op.recordKind->unit)) continue;
        const std::string record(op.recordKind->recordType), array(op.recordKind->arrayType);
        const std::string ns = "urn:" + std::string(op.recordKind->unit);
        recordTypes_.push_back({record, record, ns, record, {}});
        recordTypes_.push_back({array, array, ns, {}, "(tkDynArray)"});
    }
}

const TypeEntry& RemTypeRegistry::scalar(ScalarType type) const { return entries_[static_cast<std::size_t>(type)]; }

const TypeEntry* RemTypeRegistry::find(std::string_view nativeName, std::string_view ns) const {
    return findIn(entries_, nativeName, ns);
}

const TypeEntry& RemTypeRegistry::recordClass(const records::RecordKind& kind) const {
    return registered(findRecordType(kind.recordType, kind.unit), kind.recordType);
}

const TypeEntry& RemTypeRegistry::recordArray(const records::RecordKind& kind) const {
    return registered(findRecordType(kind.arrayType, kind.unit), kind.arrayType);
}

const TypeEntry* RemTypeRegistry::findRecordType(std::string_view name, std::string_view unit) const {
    return findIn(recordTypes_, name, "urn:" + std::string(unit));
}

std::vector<TypeEntry> RemTypeRegistry::entries() const { return {entries_.begin(), entries_.end()}; }

std::vector<std::string> RemTypeRegistry::namespaces() const {
    std::vector<std::string> out;
    for (const TypeEntry& e : entries_)
        if (std::ranges::find(out, e.ns) == out.end()) out.push_back(e.ns);
    return out;
}

}  // namespace soap
