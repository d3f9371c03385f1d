// The content coding an answer may take, read from the request's
// Accept-Encoding by RFC 9110's rules: gzip (or its old name x-gzip) when
// the client gives it, or "*", a weight above 0. Anything the rules do not
// allow, a field too long included, is read as no field at all: the answer
// goes out as written, never refused.
#pragma once

#include "soap/spool.h"

#include <string_view>

namespace host {

// Coding::Identity when gzip is not acceptable (or the field is empty,
// malformed or longer than kMaxAcceptEncodingBytes); Coding::GzipAlways when
// gzip is acceptable and the identity refused ("identity;q=0", or "*;q=0"
// without an entry for identity); Coding::Gzip otherwise.
soap::Coding acceptedCoding(std::string_view acceptEncoding) noexcept;

}  // namespace host
