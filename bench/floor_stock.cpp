// The floor of a BuscaEstoque call: attach, run the stock statement, detach,
// print the answer and close standard output. Nothing else.
//
//   bench_floor_stock LOCATION
#include "dataset.h"
#include "stock_query.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LOCATION\n", argv[0]);
        return 2;
    }
    try {
        double stock = 0;
        {
            bench::Session db(argv[1]);
            stock = bench::stockOf(db, bench::dataset::company, bench::dataset::productCode(1), bench::dataset::grade);
            db.detach();
        }
        std::printf("stock %g\n", stock);
        std::fflush(stdout);
        std::fclose(stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_floor_stock: %s\n", e.what());
        return 1;
    }
    return 0;
}
