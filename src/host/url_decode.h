// The query text of a request split at "&" and each piece URL-decoded: "+"
// is a blank, "%XX" the byte with that hexadecimal value, "%%" a single "%".
#pragma once

#include "publish/publisher_io.h"

#include <string_view>

namespace host {

// A badly encoded piece stops the decoding: the pieces before it are kept and
// the failure's message recorded, "Error decoding URL style (%XX) encoded
// string at position <n>" for a "%" followed by fewer than two characters,
// "Invalid URL encoded character (%XY) at position <n>" for two characters
// that are not both hexadecimal digits; <n> is the position of the "%",
// counted from 1 within its piece.
publish::QueryText decodeQuery(std::string_view query);

}  // namespace host
