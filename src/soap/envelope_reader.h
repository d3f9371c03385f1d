// The converter's input side: a request envelope in, the operation it calls
// and its parameter texts out, by the RPC/encoded rules of SOAP 1.1.
#pragma once

#include "soap/registries.h"

#include <string_view>

namespace soap {

struct DecodedCall {
    const Operation* operation = nullptr;  // one of the interface's operations
    Params params;                         // in declared order; absent ones are ""
};

// Throws velmora::Exception with the message to send back as a fault, or
// ERemotableException (code "MustUnderstand") for a header entry it must obey.
DecodedCall decodeRequest(std::string_view body, const InterfaceEntry& interface);

}  // namespace soap
