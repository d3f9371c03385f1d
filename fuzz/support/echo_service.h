// A stand-in for the service's interface, shaped like IVelmora (same name,
// namespace and parameters), whose operations hand their parameters back:
// an import echoes them into records, the stock query turns them into a
// real, the acknowledgement fails with one of them as its message. A fuzz
// target can then check that what the decoder read is what the writer wrote.
#pragma once

#include "records/record_kind.h"
#include "soap/registries.h"

#include <cstdint>
#include <string_view>

namespace fuzzsupport {

// Operator records: Codoper, Nome (texts), Historicocliente (integer),
// Limite (real), Acao (text).
extern const records::RecordKind kEchoRecordKind;

class EchoService {
public:
    EchoService();

    soap::InvRegistry registry;
    soap::RemTypeRegistry types;
};

// The numbers the echo operations derive from a parameter text: its first
// bytes read as a real (any bit pattern, NaN and infinities included) or as
// an integer, zero-filled when the text is shorter.
double realFrom(std::string_view text) noexcept;
std::int32_t integerFrom(std::string_view text) noexcept;

}  // namespace fuzzsupport
