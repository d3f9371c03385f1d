// The stock statement of the service run on a raw attachment: the work of a
// small call, shared by its floor program and the trivial CGI program.
#pragma once

#include "fb_raw.h"

#include <string_view>

namespace bench {

// The first matching Estoque (0 when there is none or it is NULL), read in a
// read-only transaction of its own, as the service reads it.
double stockOf(Session& db, std::string_view company, std::string_view product, std::string_view grade);

}  // namespace bench
