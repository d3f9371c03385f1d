// One CGI request from environment to written answer.
#include "host/front_end.h"

#include "host/cgi_response.h"
#include "host/error_pages.h"

#include <exception>

namespace host {

void serveRequest(CgiEnvironment env, RequestInput& input, ResponseOutput& output,
                  const WebModuleFactory& createModule) noexcept {
    try {
        const WebRequest request(std::move(env), input);
        WebResponse response(request.protocolVersion());
        const std::unique_ptr<WebModule> module = createModule();
        if (module->dispatch(request, response)) response.writeTo(output);
    } catch (...) {
        writeFallbackResponse(output, std::current_exception());
    }
}

}  // namespace host
