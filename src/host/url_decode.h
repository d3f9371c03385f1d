// Decoding of one URL-encoded piece of a query text: "+" is a blank, "%XX"
// the byte with that hexadecimal value, "%%" a single "%".
#pragma once

#include <string>
#include <string_view>

namespace host {

// Throws velmora::Exception for a "%" followed by fewer than two characters,
// or by two characters that are not both hexadecimal digits. The position in
// the message is that of the "%", counted from 1 within `piece`.
std::string decodeUrlText(std::string_view piece);

}  // namespace host
