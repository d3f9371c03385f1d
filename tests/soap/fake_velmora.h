// A stand-in for the service's interface, shaped like the real IVelmora
// (same names, parameters and result kinds), in a registry of the test's own.
#pragma once

#include "records/record_kind.h"
#include "soap/dispatcher.h"
#include "soap/registries.h"
#include "support/collected_records.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace soaptest {

// An operator record with a few fields of each kind.
extern const records::RecordKind kOperatorKind;

struct FakeState {
    std::string lastOperation;
    soap::Params lastParams;
    int objectsCreated = 0;
    // What the next call answers; by default 12.5, or nothing.
    std::function<soap::CallResult(std::string_view operation, const soap::Params&)> answer;
    // The records the next import hands on; by default none.
    std::function<void(records::RecordSink&)> records;
};

class FakeVelmora {
public:
    FakeVelmora();

    soap::HttpAnswer post(std::string_view soapAction, std::string_view path, std::string_view body) const {
        return soap::dispatchSoap(registry, types, soapAction, path, "text/xml", body, coding);
    }
    // A call chosen by the interface's path, the usual way terminals call.
    soap::HttpAnswer post(std::string_view body) const { return post("", "/soap/IVelmora", body); }

    soap::InvRegistry registry;
    soap::RemTypeRegistry types;
    soap::Coding coding = soap::Coding::Identity;  // how the client takes the answers
    std::shared_ptr<FakeState> state = std::make_shared<FakeState>();
};

// Operators numbered 1..count; record i has Codoper "i" and Nome "Operador i".
testsupport::CollectedRecords operators(int count);

// A SOAP 1.1 request envelope around `body` (the Body's content).
std::string envelope(std::string_view body);

}  // namespace soaptest
