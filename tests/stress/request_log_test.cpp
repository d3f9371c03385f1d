// The request log as an operator reads it: one whole line per request from
// processes running at once, the failures on standard error when no log is
// set, and a log that cannot be written never costs a terminal its answer.
#include "stress/expectations.h"
#include "stress/stress_database.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace stress {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A FastCGI process writes a request's line once the answer is out, so the
// line may follow the answer by a moment.
std::vector<std::string> linesOnceWritten(const std::string& file, std::size_t count) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::vector<std::string> lines = linesOf(file);
    while (lines.size() < count && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        lines = linesOf(file);
    }
    return lines;
}

void logTo(const CgiProgram& program, const std::string& file) {
    std::ofstream(program.iniPath(), std::ios::app) << "[LOG]\r\nARQUIVO=" << file << "\r\n";
}

// time address what company terminal table rows bytes ms outcome
const std::regex kLine(
    R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d (\S+) (\S+) (\S+) (\S+) (\S+) (\S+) (\d+) (\d+) (.+)$)");

struct Logged {
    std::string address, what, company, terminal, table, rows, bytes, outcome;
};

Logged parse(const std::string& line) {
    std::smatch m;
    if (!std::regex_match(line, m, kLine)) return {};
    return {m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[9]};
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

class RequestLogging : public ::testing::Test {
protected:
    RequestLogging() {
        database.fill(queueTable("CADOPER"), "1", "E001", 3, "op");
        program.writeIni(database.location());
    }
    StressDatabase database;
    CgiProgram program;
};

TEST_F(RequestLogging, ProcessesRunningAtOnceEachAppendOneWholeLinePerRequest) {
    const std::string log = program.directory() + "/velmora.log";
    logTo(program, log);
    // Four terminals at once: an import (E001's deliver its queued rows
    // until they are acknowledged), a stock query and a call the service
    // does not know.
    std::vector<std::future<std::vector<CgiCall>>> terminals;
    for (int t = 0; t < 4; ++t)
        terminals.push_back(std::async(std::launch::async, [&, t] {
            std::vector<CgiCall> calls;
            const std::string terminal = t == 0 ? "E001" : "E00" + std::to_string(t + 1);
            for (int i = 0; i < 15; ++i) {
                if (i % 3 == 0) calls.push_back(program.importa("ImportaOperadores", "1", terminal, "Codoper"));
                if (i % 3 == 1)
                    calls.push_back(
                        program.call("BuscaEstoque", {{"PCodEmp", "1"}, {"PCodProd", "x"}, {"PGrade", "0"}}));
                if (i % 3 == 2) calls.push_back(program.call("Nada", {}));
            }
            return calls;
        }));
    std::map<std::string, std::size_t> bytesByAnswer;
    for (auto& terminal : terminals)
        for (const CgiCall& c : terminal.get()) {
            ASSERT_TRUE(answered(c));
            bytesByAnswer[std::to_string(c.run.output.size())] += 1;
        }

    const std::vector<std::string> lines = linesOf(log);
    ASSERT_EQ(lines.size(), 60u);
    std::map<std::string, int> byWhat;
    int delivered = 0;
    for (const std::string& line : lines) {
        const Logged entry = parse(line);
        ASSERT_FALSE(entry.what.empty()) << "not one whole line: " << line;
        EXPECT_EQ(entry.address, "127.0.0.1");
        EXPECT_TRUE(bytesByAnswer.count(entry.bytes)) << "no answer of " << entry.bytes << " bytes: " << line;
        ++byWhat[entry.what];
        if (entry.what == "ImportaOperadores") {
            EXPECT_EQ(entry.company, "1");
            EXPECT_EQ(entry.table, "CADOPER");
            EXPECT_EQ(entry.outcome, "ok");
            EXPECT_EQ(entry.rows, entry.terminal == "E001" ? "3" : "0") << line;
            delivered += entry.rows == "3";
        } else if (entry.what == "BuscaEstoque") {
            EXPECT_EQ(entry.company, "1");
            EXPECT_EQ(entry.rows, "-");
            EXPECT_EQ(entry.outcome, "ok");
        } else {
            EXPECT_EQ(entry.what, "/velmora.cgi/soap/IVelmora") << "a call that named no known operation";
            EXPECT_EQ(entry.outcome, "No method named 'Nada' is supported by interface 'IVelmora'");
        }
    }
    EXPECT_EQ(byWhat["ImportaOperadores"], 20);
    EXPECT_EQ(byWhat["BuscaEstoque"], 20);
    EXPECT_EQ(delivered, 5);
}

TEST_F(RequestLogging, WithoutALogEachFailureIsOneLineOnStandardErrorAndSuccessesAreSilent) {
    const std::string errors = program.directory() + "/stderr";
    program.sendErrorsTo(errors);
    ASSERT_TRUE(succeeded(program.importa("ImportaOperadores", "1", "E001", "Codoper")));
    ASSERT_TRUE(succeeded(program.deleta("1", "E001", "CADOPER")));
    program.removeIni();
    const CgiCall failed = program.importa("ImportaOperadores", "1", "E001", "Codoper");
    ASSERT_TRUE(faultStartingWith(failed, kConnectFault));

    const std::vector<std::string> lines = linesOf(errors);
    ASSERT_EQ(lines.size(), 1u) << "successes must write nothing";
    const Logged entry = parse(lines[0]);
    EXPECT_EQ(entry.what, "ImportaOperadores");
    EXPECT_EQ(entry.terminal, "E001");
    EXPECT_EQ(entry.outcome, oneLine(failed.answer.faultString));
}

// In a persistent process too: the failure is reported once, not per
// request, and a log that becomes writable is used without a restart.
TEST_F(RequestLogging, ALogThatCannotBeOpenedIsReportedOnceAndNeverFailsACall) {
    const std::string errors = program.directory() + "/stderr";
    const std::string logDirectory = program.directory() + "/logs";
    logTo(program, logDirectory + "/velmora.log");
    program.sendErrorsTo(errors);
    program.startFastCgi();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(succeeded(program.importa("ImportaOperadores", "1", "E002", "Codoper")));
    std::vector<std::string> reported = linesOnceWritten(errors, 1);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("cannot open the request log " + logDirectory + "/velmora.log"), std::string::npos)
        << reported[0];

    // The line of the last call above may land either side of this: the
    // process writes it after the answer.
    fs::create_directory(logDirectory);
    ASSERT_TRUE(succeeded(program.importa("ImportaOperadores", "1", "E004", "Codoper")));
    const std::string log = logDirectory + "/velmora.log";
    std::vector<std::string> logged = linesOnceWritten(log, 1);
    if (!logged.empty() && parse(logged.back()).terminal != "E004") logged = linesOnceWritten(log, logged.size() + 1);
    ASSERT_FALSE(logged.empty());
    EXPECT_LE(logged.size(), 2u);
    EXPECT_EQ(parse(logged.back()).terminal, "E004");
    EXPECT_EQ(linesOf(errors).size(), 1u);

    // The log moved in the INI while the process runs: the next line goes
    // to the new file.
    program.writeIni(database.location());
    logTo(program, logDirectory + "/moved.log");
    ASSERT_TRUE(succeeded(program.importa("ImportaOperadores", "1", "E003", "Codoper")));
    const std::vector<std::string> moved = linesOnceWritten(logDirectory + "/moved.log", 1);
    ASSERT_EQ(moved.size(), 1u) << ::testing::PrintToString(moved);
    EXPECT_EQ(parse(moved[0]).terminal, "E003");
    EXPECT_EQ(linesOf(log).size(), logged.size());
    const testsupport::CgiRun end = program.stopFastCgi();
    EXPECT_TRUE(end.exited && end.exitStatus == 0);
}

// lighttpd sends SIGTERM the moment it has the whole answer, which may be
// before the program wrote its line: 80 WSDL GETs and PUTs gave 71 lines.
TEST_F(RequestLogging, EveryRequestGetsItsLineThoughSigtermFollowsTheAnswer) {
    const std::string log = program.directory() + "/velmora.log";
    logTo(program, log);
    testsupport::CgiOptions lighttpd;
    lighttpd.terminateAfterOutputMs = 0;
    constexpr std::size_t kCalls = 80;
    for (std::size_t i = 0; i < kCalls; ++i) {
        const bool wsdl = i % 2 == 0;
        const testsupport::CgiRun run = testsupport::runCgi(
            program.path(),
            {wsdl ? "REQUEST_METHOD=GET" : "REQUEST_METHOD=PUT",
             wsdl ? "PATH_INFO=/wsdl/IVelmora" : "PATH_INFO=/soap/IVelmora", "SCRIPT_NAME=/velmora.cgi",
             "SERVER_PROTOCOL=HTTP/1.1", "SERVER_NAME=127.0.0.1", "SERVER_PORT=80", "REMOTE_ADDR=127.0.0.1",
             wsdl ? "CONTENT_LENGTH=0" : "CONTENT_LENGTH=1"},
            wsdl ? "" : "x", lighttpd);
        ASSERT_TRUE(startsWith(run.output, "Status: 200 OK")) << run.output.substr(0, 300);
    }
    EXPECT_EQ(linesOf(log).size(), kCalls);
}

// A FIFO without a reader held a CGI process after its answer for good, and
// a FastCGI process before its answer was finished. Both answer, end or go
// on, and say once that the log is not a regular file.
TEST_F(RequestLogging, ALogNamingAFifoIsRefusedAndHoldsNoProcess) {
    const std::string fifo = program.directory() + "/velmora.log";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    logTo(program, fifo);
    const std::string errors = program.directory() + "/stderr";
    program.sendErrorsTo(errors);
    const Params stock = {{"PCodEmp", "1"}, {"PCodProd", "x"}, {"PGrade", "0"}};
    EXPECT_TRUE(succeeded(program.call("BuscaEstoque", stock, {}, 10000))) << "CGI";
    program.startFastCgi();
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(succeeded(program.call("BuscaEstoque", stock, {}, 10000))) << "FastCGI";
    const testsupport::CgiRun end = program.stopFastCgi();
    EXPECT_TRUE(end.exited && end.exitStatus == 0);
    EXPECT_EQ(linesOf(errors),
              std::vector<std::string>(2, "velmora: the request log " + fifo + " is not a regular file"));
}

}  // namespace
}  // namespace stress
