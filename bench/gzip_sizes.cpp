// What compressing an answer costs and saves by its size: the start of a
// real envelope, N bytes of it, made into a gzip body again and again, as
// the service makes a small answer's (a fresh compressor each time).
//
//   bench_gzip_sizes ENVELOPE_FILE
//
// Prints one line per size: "size compressed_bytes cpu_us_per_answer".
#include "soap/spool.h"
#include "support/body_text.h"

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

double cpuMicroseconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto us = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_usec);
    };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ENVELOPE_FILE\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string envelope{std::istreambuf_iterator<char>(in), {}};
    constexpr int kRounds = 2000;
    for (const std::size_t size : {256, 512, 1024, 1400, 2048, 4096, 16384, 65536}) {
        if (size > envelope.size()) break;
        const std::string text = envelope.substr(0, size);
        std::uint64_t packed = 0;
        const double start = cpuMicroseconds();
        for (int i = 0; i < kRounds; ++i) {
            std::vector<soap::Spool> parts;
            parts.emplace_back(text, soap::Coding::GzipAlways);
            const velmora::Body body = soap::makeBody(std::move(parts));
            packed = body.size();
        }
        const double perAnswer = (cpuMicroseconds() - start) / kRounds;
        std::vector<soap::Spool> check;
        check.emplace_back(text, soap::Coding::GzipAlways);
        if (testsupport::gunzip(testsupport::bodyText(soap::makeBody(std::move(check)))) != text) {
            std::fprintf(stderr, "bench_gzip_sizes: the %zu bytes do not decode back\n", size);
            return 1;
        }
        std::printf("%zu %llu %.1f\n", size, static_cast<unsigned long long>(packed), perAnswer);
    }
    return 0;
}
