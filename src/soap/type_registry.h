// The type registry: the XML name (namespace and type name) under which each
// type a message carries is written. Scalars are there from the start; record
// classes and their arrays enter on their first lookup.
#pragma once

#include "records/record_kind.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace soap {

struct TypeEntry {
    std::string nativeName;    // the type as the program names it: "string", "TColCadoper"
    std::string xmlName;       // the XML type name
    std::string ns;            // the namespace of the XML type name
    std::string className;     // record classes only; empty otherwise
    std::string kindText;      // "(tkLString)", "(tkDynArray)"...; empty for classes
    std::string externalName;  // never set by this service
    std::size_t id = 0;        // identifies the entry; stable for the process
};

// The scalar kinds that fields, parameters and results use.
enum class ScalarType { String, Int, Double };

class RemTypeRegistry {
public:
    static RemTypeRegistry& instance();

    // A fresh registry holding the scalar entries only.
    RemTypeRegistry();

    // First entry registered for the scalar; throws
    // "Remotable Type %s not registered" when none is.
    const TypeEntry& scalar(ScalarType type) const;
    // Entries of a record kind's class and of its array, registered on the
    // first lookup with namespace "urn:" + unit.
    const TypeEntry& recordClass(const records::RecordKind& kind);
    const TypeEntry& recordArray(const records::RecordKind& kind);

    // Adds an entry (for types other layers publish); returns the stored one.
    const TypeEntry& add(TypeEntry entry);

    // Copies of the entries in registration order.
    std::vector<TypeEntry> entries() const;
    // The distinct namespaces of the entries, in order of first appearance.
    std::vector<std::string> namespaces() const;

private:
    const TypeEntry* findNative(std::string_view nativeName, std::string_view ns) const;
    const TypeEntry& addLocked(TypeEntry entry);
    const TypeEntry& lookupOrAdd(std::string_view name, std::string_view unit, bool isClass);

    mutable std::mutex lock_;
    std::deque<TypeEntry> entries_;  // never moved: references stay valid
};

// The XML type name of a field kind.
ScalarType scalarTypeOf(records::FieldKind kind) noexcept;

}  // namespace soap
