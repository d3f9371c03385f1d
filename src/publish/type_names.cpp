#include "publish/type_names.h"

#include "common/exception.h"

namespace publish {

namespace {

XmlTypeName nameOf(const soap::TypeEntry& entry) { return {entry.ns, entry.xmlName}; }

}  // namespace

XmlTypeName stringArrayType(soap::RemTypeRegistry& types) {
    for (const soap::TypeEntry& known : types.entries())
        if (known.nativeName == kStringArrayName && known.ns == kTypesNamespace) return nameOf(known);
    soap::TypeEntry entry;
    entry.nativeName = kStringArrayName;
    entry.xmlName = kStringArrayName;
    entry.ns = kTypesNamespace;
    entry.kindText = "(tkDynArray)";
    return nameOf(types.add(std::move(entry)));
}

XmlTypeName parameterType(const soap::Operation&, soap::RemTypeRegistry& types) {
    return nameOf(types.scalar(soap::ScalarType::String));  // every parameter is a string
}

std::optional<XmlTypeName> resultType(const soap::Operation& op, soap::RemTypeRegistry& types) {
    switch (op.result) {
    case soap::ResultKind::None: return std::nullopt;
    case soap::ResultKind::Double: return nameOf(types.scalar(soap::ScalarType::Double));
    case soap::ResultKind::String: return nameOf(types.scalar(soap::ScalarType::String));
    case soap::ResultKind::StringArray: return stringArrayType(types);
    case soap::ResultKind::RecordArray:
        if (!op.recordKind) throw velmora::Exception("Operation " + op.name + " returns records of no kind");
        return nameOf(types.recordArray(*op.recordKind));
    }
    return std::nullopt;
}

}  // namespace publish
