// The error page and the fallback response, byte for byte.
#include "host/error_pages.h"

#include "common/exception.h"
#include "common/text.h"
#include "host/cgi_response.h"

namespace host {

std::string applicationErrorPage(std::string_view message, std::string_view pathInfo) {
    std::string page = "<html><body><h1>Internal Application Error</h1>\r\n<p>";
    velmora::appendHtmlEscaped(page, message);
    page += "\r\n<p><hr width=\"100%\"><i>";
    velmora::appendHtmlEscaped(page, pathInfo);
    page += "</i></body></html>";
    return page;
}

namespace {

std::string fallbackResponse(std::string_view typeName, std::string_view message) {
    std::string page = "<html><title>Internal Server Error 500</title>\r\n<h1>Internal Server Error 500</h1><hr>\r\n";
    page += "Exception: ";
    velmora::appendHtmlEscaped(page, typeName);
    page += "<br>\r\nMessage: ";
    velmora::appendHtmlEscaped(page, message);
    page += "<br></html>\r\n";

    std::string reason(message);
    for (char& c : reason)
        if (c == '\r' || c == '\n') c = ' ';

    std::string out;
    out.reserve(96 + reason.size() + page.size());
    out.append("Status: 500 ")
        .append(reason)
        .append("\r\nContent-Type: text/html\r\nContent-Length: ")
        .append(std::to_string(page.size()))
        .append("\r\n\r\n")
        .append(page);
    return out;
}

}  // namespace

void writeFallbackResponse(int outputFd, std::exception_ptr failure) noexcept {
    try {
        const std::optional<velmora::ExceptionText> text = velmora::describe(failure);
        writeAll(outputFd, text ? fallbackResponse(text->typeName, text->message)
                                : fallbackResponse("Exception", "Unknown failure"));
    } catch (...) {}
}

}  // namespace host
