// A diagnostic, not a setting: preloaded (LD_PRELOAD) into an embedded
// engine's process, it lets a dlopen of an ICU library through only under
// the name of the installed version, so that the engine's search through
// every ICU version it knows costs one failed open each instead of a search
// of the library path. bench/run engine-start measures the difference.
#include <dlfcn.h>
#include <unicode/uvernum.h>

#include <cstring>

extern "C" void* dlopen(const char* file, int mode) {
    using Open = void* (*)(const char*, int);
    static const Open next = reinterpret_cast<Open>(::dlsym(RTLD_NEXT, "dlopen"));
    static constexpr char installed[] = ".so." U_ICU_VERSION_SHORT;
    if (file != nullptr && std::strncmp(file, "libicu", 6) == 0) {
        const std::size_t length = std::strlen(file);
        const std::size_t tail = sizeof installed - 1;
        // An absolute path that does not exist fails at once, with dlerror set.
        if (length < tail || std::strcmp(file + length - tail, installed) != 0) return next("/nonexistent/icu", mode);
    }
    return next(file, mode);
}
