// The error page and the fallback response, byte for byte.
#include "host/error_pages.h"

#include "common/exception.h"
#include "common/text.h"
#include "host/cgi_response.h"

namespace host {

namespace {

// Both pages are fixed text echoing two values, escaped, between its pieces.
std::string pageEchoing(std::string_view opening, std::string_view first, std::string_view middle,
                        std::string_view second, std::string_view closing) {
    std::string page(opening);
    velmora::appendHtmlEscaped(page, first);
    page += middle;
    velmora::appendHtmlEscaped(page, second);
    page += closing;
    return page;
}

std::string fallbackResponse(std::string_view typeName, std::string_view message) {
    const std::string page = pageEchoing(
        "<html><title>Internal Server Error 500</title>\r\n<h1>Internal Server Error 500</h1><hr>\r\nException: ",
        typeName, "<br>\r\nMessage: ", message, "<br></html>\r\n");

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

std::string applicationErrorPage(std::string_view message, std::string_view pathInfo) {
    return pageEchoing("<html><body><h1>Internal Application Error</h1>\r\n<p>", message,
                       "\r\n<p><hr width=\"100%\"><i>", pathInfo, "</i></body></html>");
}

void writeFallbackResponse(ResponseOutput& output, std::exception_ptr failure) noexcept {
    try {
        const std::optional<velmora::ExceptionText> text = velmora::describe(failure);
        output.write(text ? fallbackResponse(text->typeName, text->message)
                          : fallbackResponse("Exception", "Unknown failure"));
    } catch (...) {}
}

}  // namespace host
