// Mapping of REQUEST_METHOD to the method type.
#include "host/method_type.h"

#include "common/text.h"

namespace host {

MethodType methodTypeFromText(std::string_view method) noexcept {
    if (velmora::equalsIgnoringCase(method, "GET")) return mtGet;
    if (velmora::equalsIgnoringCase(method, "PUT")) return mtPut;
    if (velmora::equalsIgnoringCase(method, "POST")) return mtPost;
    if (velmora::equalsIgnoringCase(method, "HEAD")) return mtHead;
    return mtAny;
}

}  // namespace host
