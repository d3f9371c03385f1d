// One CGI request from environment to written response.
#include "host/cgi_host.h"

#include "common/exception.h"
#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/error_pages.h"

#include <new>

namespace host {

void runCgiRequest(CgiEnvironment env, int inputFd, int outputFd, const WebModuleFactory& createModule) noexcept {
    try {
        WebRequest request(std::move(env), inputFd);
        WebResponse response(request.protocolVersion());
        std::unique_ptr<WebModule> module = createModule();
        if (module->dispatch(request, response)) response.writeTo(outputFd);
    } catch (...) {
        writeFallbackForCurrentException(outputFd);
    }
}

void writeFallbackForCurrentException(int outputFd) noexcept {
    try {
        std::string bytes;
        try {
            throw;
        } catch (const velmora::Exception& e) {
            bytes = fallbackResponse(e.typeName(), e.what());
        } catch (const std::bad_alloc& e) {
            bytes = fallbackResponse("EOutOfMemory", e.what());
        } catch (const std::exception& e) {
            bytes = fallbackResponse("Exception", e.what());
        } catch (...) {
            bytes = fallbackResponse("Exception", "Unknown failure");
        }
        writeAll(outputFd, bytes);
    } catch (...) {}
}

}  // namespace host
