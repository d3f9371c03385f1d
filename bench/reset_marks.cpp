// Puts the benchmark's queue back as the other program leaves it: every
// delivery mark cleared. Then reads the queue once, so that the versions the
// reset leaves behind are collected here and not inside the next measured run.
//
//   bench_reset LOCATION
#include "fb_raw.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LOCATION\n", argv[0]);
        return 2;
    }
    try {
        bench::Session db(argv[1]);
        for (const char* sql : {"Update integecf set atualizou = NULL where atualizou is not null",
                                "Select count(*) from integecf where atualizou is null"}) {
            auto tra = db.startSnapshot();
            auto stmt = db.prepare(tra.get(), sql);
            db::fb::Handle<Firebird::IMessageMetadata> out(stmt->getOutputMetadata(db.status.get()));
            db.status.check();
            if (out->getCount(db.status.get()) == 0) {
                stmt->execute(db.status.get(), tra.get(), nullptr, nullptr, nullptr, nullptr);
            } else {
                bench::Message row(out.disown(), db.status);
                stmt->execute(db.status.get(), tra.get(), nullptr, nullptr, row.metadata.get(), row.buffer.data());
            }
            db.status.check();
            stmt.reset();
            db.commit(tra);
        }
        db.detach();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_reset: %s\n", e.what());
        return 1;
    }
    return 0;
}
