// The floor of a BuscaEstoque call: attach, run the stock statement, detach,
// print the answer and close standard output. Nothing else.
//
//   bench_floor_stock LOCATION [--phases]
//
// --phases prints instead the CPU each step took, in ms of user and system
// time: "attach U S statement U S detach U S" (the engine's start is in the
// attach and, loaded on first use, in the first statement).
#include "dataset.h"
#include "stock_query.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Cpu {
    double user = 0;
    double sys = 0;
};

Cpu cpuNow() {
    rusage use{};
    ::getrusage(RUSAGE_SELF, &use);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return {ms(use.ru_utime), ms(use.ru_stime)};
}

// Appends "NAME U S" for the CPU spent since `since`, and restarts it.
void lap(std::string& out, const char* name, Cpu& since) {
    const Cpu now = cpuNow();
    char step[96];
    std::snprintf(step, sizeof step, "%s%s %.1f %.1f", out.empty() ? "" : " ", name, now.user - since.user,
                  now.sys - since.sys);
    out += step;
    since = now;
}

}  // namespace

int main(int argc, char** argv) {
    const bool phases = argc == 3 && std::strcmp(argv[2], "--phases") == 0;
    if (argc != 2 && !phases) {
        std::fprintf(stderr, "usage: %s LOCATION [--phases]\n", argv[0]);
        return 2;
    }
    try {
        double stock = 0;
        std::string steps;
        Cpu since = cpuNow();
        {
            bench::Session db(argv[1]);
            lap(steps, "attach", since);
            stock = bench::stockOf(db, bench::dataset::company, bench::dataset::productCode(1), bench::dataset::grade);
            lap(steps, "statement", since);
            db.detach();
            lap(steps, "detach", since);
        }
        if (phases)
            std::printf("%s\n", steps.c_str());
        else
            std::printf("stock %g\n", stock);
        std::fflush(stdout);
        std::fclose(stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_floor_stock: %s\n", e.what());
        return 1;
    }
    return 0;
}
