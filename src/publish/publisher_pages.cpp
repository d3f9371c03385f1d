#include "publish/publisher_pages.h"

#include "common/exception.h"
#include "publish/html_text.h"
#include "publish/style_sheet.h"

#include <new>

namespace publish {

std::string forbiddenPage() {
    return "<html><head></head><body><h1>Forbidden (403)</h1><P>Access Forbidden</P></body></html>";
}

std::string interfaceNotFoundPage(std::string_view portType) {
    std::string page = "<html><head></head><body><h1>Error Encountered</h1><P>Interface ";
    appendHtml(page, portType);
    page += " not found</P></body></html>";
    return page;
}

std::string failurePage(std::exception_ptr failure) {
    std::string page = "<html><head></head><style type=\"text/css\"><!--\r\n";
    appendStyleRules(page, Margins::Default);
    page += "--></style>\r\n<body><h1>";
    const auto describe = [&page](std::string_view message, std::string_view type) {
        page += "Error: ";
        appendHtml(page, message);
        page += '/';
        page += type;
    };
    try {
        std::rethrow_exception(failure);
    } catch (const velmora::Exception& e) {
        describe(e.what(), e.typeName());
    } catch (const std::bad_alloc& e) {
        describe(e.what(), "EOutOfMemory");
    } catch (const std::exception& e) {
        describe(e.what(), "Exception");
    } catch (...) {
        page += "Unknown Error";
    }
    page += "</h1></body></html>";
    return page;
}

}  // namespace publish
