// The converter's output: the response envelope of a call, written straight
// from the result (records included) into one string, and its fault envelope.
#pragma once

#include "records/record_array.h"
#include "soap/registries.h"

#include <exception>
#include <string>
#include <string_view>

namespace soap {

// The response envelope of operation `operation` of the interface whose
// namespace is `interfaceNs`. `result` must hold what `kind` says (nothing for
// ResultKind::None). Throws on a value it cannot write; the caller then
// discards the string and writes a fault.
std::string writeResponse(std::string_view interfaceNs, std::string_view operation, ResultKind kind,
                          const CallResult& result, RemTypeRegistry& types = RemTypeRegistry::instance());

// An import's response, writing the records where they lie.
std::string writeRecordArrayResponse(std::string_view interfaceNs, std::string_view operation,
                                     const records::RecordArray& records,
                                     RemTypeRegistry& types = RemTypeRegistry::instance());

// What a fault envelope says.
struct FaultInfo {
    std::string message;
    std::string faultCode;  // empty: "Server"
    std::string faultActor;
    std::string detailType;  // non-empty: a detail element of this remotable type
};

// ERemotableException keeps its code, actor and type; any other error is a
// server fault carrying what() only.
FaultInfo faultOf(const std::exception& error);

std::string writeFault(const FaultInfo& fault);
inline std::string writeFault(const std::exception& error) { return writeFault(faultOf(error)); }

}  // namespace soap
