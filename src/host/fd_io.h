// Whole writes and bounded reads on raw file descriptors (standard input and
// output of the CGI process), retrying interrupted and partial calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// Writes every byte or throws velmora::Exception.
void writeAll(int fd, std::string_view bytes);

// Appends to `out` up to `limit` bytes read from `fd`, stopping early at the
// end of the input; a failing read throws velmora::Exception. The buffer
// grows with what arrives, never with what was announced.
void readUpTo(int fd, std::uint64_t limit, std::string& out);

}  // namespace host
