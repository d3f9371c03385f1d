// The request values the publisher reads, taken from the host's request.
#include "host/publish_request.h"

#include "host/cgi_request.h"

namespace host {

publish::Request publishRequestOf(const WebRequest& request) {
    publish::Request out;
    out.pathInfo = request.pathInfo();
    out.host = request.host();
    out.serverPort = request.serverPort();
    out.https = request.https();
    out.scriptName = request.scriptName();
    out.query = decodeQuery(request.query());
    return out;
}

}  // namespace host
