// The golden corpus through the built program, as a CGI process per request
// and as one FastCGI process: every request file of tests/golden/requests,
// in order, against one fresh demo database, must get exactly the bytes
// recorded in tests/golden/answers, from a process that ends with status 0. The order matters: imports mark queue rows
// that later acknowledgements delete. VELMORA_GOLDEN_RECORD=1 records the answers instead (tests/golden/README.md).
#include "golden/golden_corpus.h"
#include "support/cgi_runner.h"
#include "support/demo_script.h"
#include "support/fastcgi_process.h"
#include "support/program_directory.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

// What a web server is configured to hand the program besides the request:
// the embedded engine's settings, and the sanitizers' in that build.
std::map<std::string, std::string> passedThrough() {
    std::map<std::string, std::string> vars;
    for (const char* name : {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP", "LD_LIBRARY_PATH", "TMPDIR", "ASAN_OPTIONS",
                             "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char* value = std::getenv(name)) vars[name] = value;
    return vars;
}

// One fresh demo database and a copy of the program called velmora.cgi beside
// its INI: the program reads its INI from its own directory and names its
// pages after its file name.
class GoldenCorpus : public ::testing::Test {
protected:
    GoldenCorpus()
        : database_(testsupport::demoScript("schema.sql") + testsupport::demoScript("data.sql")),
          directory_(database_.params()),
          program_(directory_.path() + "/velmora.cgi") {
        std::filesystem::copy_file(testsupport::velmoraCgiPath(), program_);
    }

    void replayAll(const golden::Send& send) {
        const std::vector<golden::Request> requests = golden::loadRequests(golden::requestsDirectory());
        ASSERT_FALSE(requests.empty());
        const golden::Mode mode = golden::modeFromEnvironment();
        for (const std::string& failure : golden::replay(requests, golden::answersDirectory(), mode, send))
            ADD_FAILURE() << failure;
        if (mode == golden::Mode::record)
            std::cout << "recorded " << requests.size() << " answers in " << golden::answersDirectory().string()
                      << "\n";
    }

    static std::string problemOf(const testsupport::CgiRun& run, int timeoutMs) {
        if (!run.exited)
            return "ended by signal " + std::to_string(run.signal) + " (the runner kills it with 9 after " +
                   std::to_string(timeoutMs) + " ms)";
        if (run.exitStatus != 0) return "exit status " + std::to_string(run.exitStatus);
        return {};
    }

    const testsupport::TestDatabase database_;
    const testsupport::ProgramDirectory directory_;
    const std::string program_;
    const std::map<std::string, std::string> outside_ = passedThrough();
};

TEST_F(GoldenCorpus, EveryRequestGetsItsRecordedAnswerByteForByte) {
    replayAll([&](const golden::Request& request) {
        testsupport::CgiOptions options;
        options.timeoutMs = 60000;
        const testsupport::CgiRun run =
            testsupport::runCgi(program_, golden::environment(request, outside_), request.body, options);
        return golden::Outcome{run.output, problemOf(run, options.timeoutMs)};
    });
}

// The whole corpus through one persistent process: every answer as a fresh
// CGI process gives it, whatever the requests before it left behind (a
// fault, a page that named the record types, an open transaction), and
// the process outlives them all and ends cleanly on SIGTERM.
TEST_F(GoldenCorpus, OneFastCgiProcessGivesEveryRecordedAnswer) {
    if (golden::modeFromEnvironment() == golden::Mode::record) GTEST_SKIP() << "answers are recorded from CGI";
    std::vector<std::string> processEnvironment;
    for (const auto& [name, value] : outside_) processEnvironment.push_back(name + "=" + value);
    testsupport::FastCgiProcess process(program_, processEnvironment, directory_.path());

    const int timeoutMs = 60000;
    replayAll([&](const golden::Request& request) {
        const testsupport::CgiRun run =
            process.request(golden::environment(request, outside_), request.body, timeoutMs);
        std::string problem = problemOf(run, timeoutMs);
        if (!process.running()) problem += " the FastCGI process ended";
        return golden::Outcome{run.output, problem};
    });

    const testsupport::CgiRun end = process.stop(SIGTERM);
    EXPECT_TRUE(end.exited && end.exitStatus == 0) << "signal " << end.signal << ", status " << end.exitStatus;
}

}  // namespace
