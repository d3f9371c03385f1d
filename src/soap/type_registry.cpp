#include "soap/type_registry.h"

#include "common/exception.h"
#include "soap/soap_namespaces.h"

namespace soap {

namespace {

struct ScalarDef {
    std::string_view nativeName;
    std::string_view xmlName;
    std::string_view kindText;
};

constexpr ScalarDef kScalars[] = {
    {"string", "string", "(tkLString)"},
    {"Integer", "int", "(tkInteger)"},
    {"Double", "double", "(tkFloat)"},
};

const ScalarDef& defOf(ScalarType type) { return kScalars[static_cast<int>(type)]; }

}  // namespace

RemTypeRegistry& RemTypeRegistry::instance() {
    static RemTypeRegistry registry;
    return registry;
}

RemTypeRegistry::RemTypeRegistry() {
    for (const ScalarDef& s : kScalars)
        addLocked({std::string(s.nativeName),
                   std::string(s.xmlName),
                   std::string(kXmlSchemaNs),
                   {},
                   std::string(s.kindText),
                   {},
                   0});
}

const TypeEntry& RemTypeRegistry::scalar(ScalarType type) const {
    const ScalarDef& def = defOf(type);
    std::lock_guard guard(lock_);
    for (const TypeEntry& e : entries_)
        if (e.nativeName == def.nativeName && e.className.empty()) return e;
    throw velmora::Exception("Remotable Type " + std::string(def.nativeName) + " not registered");
}

const TypeEntry& RemTypeRegistry::recordClass(const records::RecordKind& kind) {
    return lookupOrAdd(kind.recordType, kind.unit, true);
}

const TypeEntry& RemTypeRegistry::recordArray(const records::RecordKind& kind) {
    return lookupOrAdd(kind.arrayType, kind.unit, false);
}

const TypeEntry& RemTypeRegistry::lookupOrAdd(std::string_view name, std::string_view unit, bool isClass) {
    std::string ns = "urn:";
    ns += unit;
    std::lock_guard guard(lock_);
    if (const TypeEntry* known = findNative(name, ns)) return *known;
    TypeEntry e;
    e.nativeName = name;
    e.xmlName = name;
    e.ns = std::move(ns);
    if (isClass)
        e.className = name;
    else
        e.kindText = "(tkDynArray)";
    return addLocked(std::move(e));
}

const TypeEntry& RemTypeRegistry::add(TypeEntry entry) {
    std::lock_guard guard(lock_);
    return addLocked(std::move(entry));
}

const TypeEntry& RemTypeRegistry::addLocked(TypeEntry entry) {
    entry.id = entries_.size() + 1;
    entries_.push_back(std::move(entry));
    return entries_.back();
}

const TypeEntry* RemTypeRegistry::findNative(std::string_view nativeName, std::string_view ns) const {
    for (const TypeEntry& e : entries_)
        if (e.nativeName == nativeName && e.ns == ns) return &e;
    return nullptr;
}

std::vector<TypeEntry> RemTypeRegistry::entries() const {
    std::lock_guard guard(lock_);
    return {entries_.begin(), entries_.end()};
}

std::vector<std::string> RemTypeRegistry::namespaces() const {
    std::lock_guard guard(lock_);
    std::vector<std::string> out;
    for (const TypeEntry& e : entries_) {
        bool seen = false;
        for (const std::string& ns : out) seen = seen || ns == e.ns;
        if (!seen) out.push_back(e.ns);
    }
    return out;
}

ScalarType scalarTypeOf(records::FieldKind kind) noexcept {
    switch (kind) {
    case records::FieldKind::Real: return ScalarType::Double;
    case records::FieldKind::Integer: return ScalarType::Int;
    case records::FieldKind::Text: break;
    }
    return ScalarType::String;
}

}  // namespace soap
