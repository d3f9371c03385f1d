// Error page texts.
#include "host/error_pages.h"

#include "common/text.h"

namespace host {

std::string applicationErrorPage(std::string_view message, std::string_view pathInfo) {
    std::string page;
    page.reserve(128 + message.size() + pathInfo.size());
    page.append("<html><body><h1>Internal Application Error</h1>\r\n<p>")
        .append(velmora::htmlEscaped(message))
        .append("\r\n<p><hr width=\"100%\"><i>")
        .append(velmora::htmlEscaped(pathInfo))
        .append("</i></body></html>");
    return page;
}

std::string fallbackResponse(std::string_view typeName, std::string_view message) {
    std::string page;
    page.append("<html><title>Internal Server Error 500</title>\r\n<h1>Internal Server Error 500</h1><hr>\r\n")
        .append("Exception: ")
        .append(velmora::htmlEscaped(typeName))
        .append("<br>\r\nMessage: ")
        .append(velmora::htmlEscaped(message))
        .append("<br></html>\r\n");

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

}  // namespace host
