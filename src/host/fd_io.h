// Bounded reads on a raw file descriptor (standard input of the CGI process),
// retrying interrupted calls.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// Appends to `out` up to `limit` bytes read from `fd`, stopping early at the
// end of the input; a failing read throws velmora::Exception. The buffer
// grows with what arrives, never with what was announced.
void readUpTo(int fd, std::uint64_t limit, std::string& out);

}  // namespace host
