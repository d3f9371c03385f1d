// Mapping of REQUEST_METHOD to the method type.
#include "host/method_type.h"

#include "host/ascii_text.h"

namespace host {

MethodType methodTypeFromText(std::string_view method) noexcept {
    if (equalsIgnoreCase(method, "GET")) return mtGet;
    if (equalsIgnoreCase(method, "PUT")) return mtPut;
    if (equalsIgnoreCase(method, "POST")) return mtPost;
    if (equalsIgnoreCase(method, "HEAD")) return mtHead;
    return mtAny;
}

}  // namespace host
