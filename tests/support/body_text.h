// An answer's body as one string, read through Body's public view of its
// parts (the spooled file's bytes, then what is still in memory): what a
// test compares or parses.
#pragma once

#include "soap/spool.h"

#include <string>

namespace testsupport {

// Throws std::runtime_error when a spooled part cannot be read.
std::string bodyText(const soap::Body& body);

}  // namespace testsupport
