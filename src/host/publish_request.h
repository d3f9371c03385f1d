// The request values the publisher reads, taken from the host's request.
#pragma once

#include "host/cgi_request.h"
#include "publish/publisher_io.h"

namespace host {

// The query is decoded piece by piece: a badly encoded piece stops the
// decoding, keeps the fields before it and records the failure's message.
publish::Request publishRequestOf(const WebRequest& request);

}  // namespace host
