// Preloaded (LD_PRELOAD) into the program by a stress test: closing standard
// output takes 100 ms longer, so that a SIGTERM sent as soon as the output
// ends lands before anything the program does after closing it.
#include <dlfcn.h>

#include <cstdio>
#include <ctime>

extern "C" int fclose(FILE* stream) {
    using Close = int (*)(FILE*);
    static const Close next = reinterpret_cast<Close>(::dlsym(RTLD_NEXT, "fclose"));
    const bool output = stream == stdout;
    const int result = next(stream);
    if (output) {
        const timespec pause{0, 100'000'000};
        ::nanosleep(&pause, nullptr);
    }
    return result;
}
