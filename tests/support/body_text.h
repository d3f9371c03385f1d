// An answer's body as one string, read through Body's public view of its
// parts (the spooled file's bytes, then what is still in memory): what a
// test compares or parses; and a gzip body's text.
#pragma once

#include "common/web_exchange.h"

#include <string>
#include <string_view>

namespace testsupport {

// Throws std::runtime_error when a spooled part cannot be read.
std::string bodyText(const velmora::Body& body);

// The text of exactly one gzip member, its CRC and length checked (as zlib
// checks them); throws std::runtime_error for anything else, a second member
// or bytes after the first included.
std::string gunzip(std::string_view member);

}  // namespace testsupport
