// The golden corpus through the built CGI program: every request file of
// tests/golden/requests, in order, against one fresh demo database, must get
// exactly the bytes recorded in tests/golden/answers, from a process that
// ends with status 0. The order matters: imports mark queue rows that later
// acknowledgements delete. VELMORA_GOLDEN_RECORD=1 records the answers
// instead (tests/golden/README.md).
#include "golden/golden_corpus.h"
#include "support/cgi_runner.h"
#include "support/demo_script.h"
#include "support/program_directory.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

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
    for (const char* name :
         {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP", "TMPDIR", "ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char* value = std::getenv(name)) vars[name] = value;
    return vars;
}

TEST(GoldenCorpus, EveryRequestGetsItsRecordedAnswerByteForByte) {
    const std::vector<golden::Request> requests = golden::loadRequests(golden::requestsDirectory());
    ASSERT_FALSE(requests.empty());

    const testsupport::TestDatabase database(testsupport::demoScript("schema.sql") +
                                             testsupport::demoScript("data.sql"));
    // The program reads its INI from its own directory and names its pages
    // after its file name: a copy called velmora.cgi beside the INI.
    const testsupport::ProgramDirectory directory(database.params());
    const std::string program = directory.path() + "/velmora.cgi";
    std::filesystem::copy_file(testsupport::velmoraCgiPath(), program);

    const std::map<std::string, std::string> outside = passedThrough();
    const golden::Send send = [&](const golden::Request& request) {
        testsupport::CgiOptions options;
        options.timeoutMs = 60000;
        const testsupport::CgiRun run =
            testsupport::runCgi(program, golden::environment(request, outside), request.body, options);

        golden::Outcome outcome{run.output, {}};
        if (!run.exited)
            outcome.problem = "ended by signal " + std::to_string(run.signal) + " (the runner kills it with 9 after " +
                              std::to_string(options.timeoutMs) + " ms)";
        else if (run.exitStatus != 0)
            outcome.problem = "exit status " + std::to_string(run.exitStatus);
        return outcome;
    };

    const golden::Mode mode = golden::modeFromEnvironment();
    for (const std::string& failure : golden::replay(requests, golden::answersDirectory(), mode, send))
        ADD_FAILURE() << failure;
    if (mode == golden::Mode::record)
        std::cout << "recorded " << requests.size() << " answers in " << golden::answersDirectory().string() << "\n";
}

}  // namespace
