// Naming a failure for the pages that report it.
#include "common/exception.h"

#include <new>

namespace velmora {

std::optional<ExceptionText> describe(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        return ExceptionText{e.typeName(), e.what()};
    } catch (const std::bad_alloc& e) {
        return ExceptionText{"EOutOfMemory", e.what()};
    } catch (const std::exception& e) {
        return ExceptionText{"Exception", e.what()};
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace velmora
