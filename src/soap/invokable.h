// What an interface's operations look like to the SOAP layer: names,
// parameters and result kinds, plus a way to call each one on a serving object.
#pragma once

#include "records/record_array.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace soap {

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
};

using TextList = std::vector<std::string>;
using CallResult = std::variant<std::monostate, double, std::string, TextList, records::RecordArray>;

// Parameter texts in declared order (UTF-8).
using Params = std::vector<std::string>;

struct Operation {
    std::string name;
    std::vector<std::string> paramNames;  // every parameter is an input text
    ResultKind result = ResultKind::None;
    const records::RecordKind* recordKind = nullptr;  // for ResultKind::RecordArray
    std::string paramXmlType = "string";              // "string" or, for wide texts, "string" too
    std::function<CallResult(TInvokableClass& self, const Params& params)> invoke;
};

}  // namespace soap
