// Building the request from the CGI environment and the body.
#include "host/web_request.h"

#include "common/text.h"
#include "host/fd_io.h"

#include <charconv>

namespace host {

std::int64_t integerItem(std::string_view text) noexcept {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return -1;
    return value;
}

WebRequest::WebRequest(CgiEnvironment env, int inputFd)
    : env_(std::move(env)),
      method_(env_.lookup("REQUEST_METHOD")),
      protocolVersion_(env_.lookup("SERVER_PROTOCOL")),
      query_(env_.lookup("QUERY_STRING")),
      pathInfo_(env_.lookup("PATH_INFO")),
      host_(env_.lookup("HTTP_HOST")),
      serverPort_(integerItem(env_.lookup("SERVER_PORT"))),
      scriptName_(env_.lookup("SCRIPT_NAME")),
      contentType_(env_.lookup("HTTP_CONTENT_TYPE")),
      contentLength_(integerItem(env_.lookup("HTTP_CONTENT_LENGTH"))),
      https_(velmora::equalsIgnoringCase(env_.lookup("HTTPS"), "on")) {
    methodType_ = methodTypeFromText(method_);
    if (contentLength_ > 0 && !bodyTooLarge()) readUpTo(inputFd, static_cast<std::uint64_t>(contentLength_), content_);
}

std::string WebRequest::fieldByName(std::string_view name) const { return std::string(env_.lookup(name)); }

}  // namespace host
