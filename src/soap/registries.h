// The two registries that name everything on the wire: the interface registry
// (interfaces, their operations and the classes that serve them) and the type
// registry (the XML name under which each type a message carries is written).
#pragma once

#include "common/web_exchange.h"
#include "records/record_kind.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace soap {

// --- Operations: what an interface's operations look like to the SOAP layer

// Base of every implementation class; one new object serves one call.
class TInvokableClass {
public:
    virtual ~TInvokableClass() = default;
};

enum class ResultKind {
    None,         // no result: the response element stays empty
    Double,       // xsd:double
    String,       // xsd:string
    StringArray,  // SOAP-encoded array of xsd:string
    RecordArray   // SOAP-encoded array of records, written as multi-reference values
                  // as the operation hands them to its RecordSink
};

using TextList = std::vector<std::string>;
// What an operation returns; an import's records went to its sink instead.
using CallResult = std::variant<std::monostate, double, std::string, TextList>;

// Parameter texts in declared order (UTF-8).
using Params = std::vector<std::string>;

struct Operation {
    std::string name;
    std::vector<std::string> paramNames;  // every parameter is an xsd:string input
    ResultKind result = ResultKind::None;
    const records::RecordKind* recordKind = nullptr;  // for ResultKind::RecordArray
    // `records` is where an import writes its records (ResultKind::RecordArray
    // only; null otherwise).
    std::function<CallResult(TInvokableClass& self, const Params& params, records::RecordSink* records)> invoke;
    // What the request log shows of a call's parameters (company, terminal,
    // table): the interface knows what they mean. None when unset.
    std::function<void(const Params& params, velmora::CallSummary& call)> describe;
};

// --- The interface registry

struct InterfaceEntry {
    std::string name;        // "IVelmora"
    std::string unit;        // "VelmoraIntf"
    std::string ns;          // explicit namespace; empty: derived "urn:" unit "-" name
    std::string soapAction;  // explicit SOAP action for every operation; empty: ns "#" op
    std::string documentation;
    std::vector<Operation> operations;  // declared order
};

struct ImplementationEntry {
    std::string className;  // "TVelmora"
    std::string interfaceName;
    std::function<std::unique_ptr<TInvokableClass>()> create;
};

// Every invokable interface in registration order. The process serves one
// request at a time, so the registries take no lock.
class InvRegistry {
public:
    // The one the program registers in and serves from.
    static InvRegistry& instance() {
        static InvRegistry registry;
        return registry;
    }

    // Registering an interface a second time changes nothing.
    void registerInterface(InterfaceEntry entry);
    void registerInvokableClass(ImplementationEntry entry);

    // Entries are never removed or moved: pointers stay valid for the process.
    std::vector<const InterfaceEntry*> interfaces() const;
    const InterfaceEntry* findByName(std::string_view name) const;  // letter case ignored
    // The interface whose namespace equals the action's, both cut at their
    // first "#"; failing that, the one whose explicit SOAP action is exactly
    // `action` (which need not start with its namespace).
    const InterfaceEntry* findBySoapAction(std::string_view action) const;
    bool hasImplementation(std::string_view interfaceName) const;
    // A new serving object; throws when no class implements the interface.
    std::unique_ptr<TInvokableClass> createServingObject(std::string_view interfaceName) const;

    static std::string namespaceOf(const InterfaceEntry& entry);
    static std::string soapActionOf(const InterfaceEntry& entry, std::string_view operation);

private:
    const ImplementationEntry* implementationOf(std::string_view interfaceName) const;

    std::deque<InterfaceEntry> interfaces_;
    std::deque<ImplementationEntry> implementations_;
};

// --- The type registry

struct TypeEntry {
    std::string nativeName;  // the type as the program names it: "string", "TColCadoper"
    std::string xmlName;     // the XML type name
    std::string ns;          // the namespace of the XML type name
    std::string className;   // record classes only; empty otherwise
    std::string kindText;    // "(tkLString)", "(tkDynArray)"...; empty for classes
};

// The scalar kinds that fields, parameters and results use.
enum class ScalarType { String, Int, Double };

// The XML type of a field kind.
ScalarType scalarTypeOf(records::FieldKind kind) noexcept;

// Every type the registered interfaces' messages carry, entered at start-up
// and only read while requests are served, so that no answer depends on the
// ones before it: the scalars, the types other layers register by name (the
// publisher's string array), and the class and array of every record kind
// an operation answers.
class RemTypeRegistry {
public:
    // The one the program registers in and serves from.
    static RemTypeRegistry& instance() {
        static RemTypeRegistry registry;
        return registry;
    }

    // A fresh registry holding the scalar entries only.
    RemTypeRegistry();

    // --- At start-up

    // A type registered by name; returns the stored entry.
    const TypeEntry& add(TypeEntry entry);
    // The class and the array of each record kind that the interface's
    // operations answer, with namespace "urn:" + the kind's unit; a kind
    // already entered is left as it is.
    void addRecordTypes(const InterfaceEntry& interface);

    // --- Lookups

    const TypeEntry& scalar(ScalarType type) const;
    // The type registered by name under `ns`, or null.
    const TypeEntry* find(std::string_view nativeName, std::string_view ns) const;
    // A kind no registered interface answers fails with "Remotable Type %s
    // not registered".
    const TypeEntry& recordClass(const records::RecordKind& kind) const;
    const TypeEntry& recordArray(const records::RecordKind& kind) const;

    // What the listings show (the service page's types table and the
    // publisher's type systems): the scalars and the types registered by
    // name, in registration order. Record types are not listed here: a page
    // lists those it names itself.
    std::vector<TypeEntry> entries() const;
    // The distinct namespaces of those entries, in order of first appearance.
    std::vector<std::string> namespaces() const;

private:
    const TypeEntry* findRecordType(std::string_view name, std::string_view unit) const;

    std::deque<TypeEntry> entries_;      // never moved: references stay valid
    std::deque<TypeEntry> recordTypes_;  // classes and arrays of record kinds
};

}  // namespace soap
