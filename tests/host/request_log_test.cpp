// The request log's line as an operator's tools read it (one record per
// line, one word per field, of bounded length) and the file it goes to.
#include "host_test_io.h"

#include "common/limits.h"
#include "common/text.h"
#include "host/request_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using host::formatLogLine;
using host::LoggedRequest;

namespace {

// The line after its time stamp.
std::string fieldsOf(const std::string& line) {
    EXPECT_TRUE(std::regex_search(line, std::regex(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d )"))) << line;
    return line.substr(line.find(' ') + 1);
}

// Whether any common reader would end a line inside `text`: the C0 breaks
// (LF, VT, FF, CR, FS, GS, RS), NEL as a byte (Latin-1 readers) or as U+0085,
// and the Unicode line and paragraph separators.
bool breaksALine(std::string_view text) {
    for (const char c : text)
        if (std::string_view("\n\x0B\x0C\r\x1C\x1D\x1E\x85").find(c) != std::string_view::npos) return true;
    return text.find("\u2028") != std::string_view::npos || text.find("\u2029") != std::string_view::npos;
}

}  // namespace

TEST(RequestLogLine, EveryFieldStaysOneWordAndTheRecordOneLine) {
    LoggedRequest entry;
    entry.what = "/velmora.cgi/wsdl?x=1 2";
    entry.company = "1 2%3\t";
    entry.terminal = "E\r\n\x01\x7F";
    // C1 controls and the separators, encoded and as raw bytes; valid UTF-8
    // text stays as it is.
    entry.table =
        "a\u0085b\u2028c\u2029d\x85"
        "e\x9B"
        "f\x1CJosé";
    entry.rows = 3;
    entry.bytes = 12345;
    entry.milliseconds = 7;
    entry.outcome =
        "Falhou\r\nlinha\u00852\u20283\x9B"
        "4 é%";
    const std::string line = formatLogLine(entry);
    EXPECT_EQ(fieldsOf(line),
              "- /velmora.cgi/wsdl?x=1%202 1%202%253%09 E%0D%0A%01%7F "
              "a%C2%85b%E2%80%A8c%E2%80%A9d%85e%9Bf%1CJosé 3 12345 7 Falhou  linha 2 3 4 é%\n");
    EXPECT_FALSE(breaksALine(line.substr(0, line.size() - 1)));
}

TEST(RequestLogLine, LongValuesAreCutWholeAndMarked) {
    LoggedRequest entry;
    entry.company = std::string(1 << 20, 'A');
    entry.terminal = std::string(1 << 20, ' ');  // each byte escaped to three
    std::string accented;
    for (int i = 0; i < 1 << 19; ++i) accented += "é";
    entry.table = accented;
    entry.outcome = "Falhou: " + accented;
    const std::string line = formatLogLine(entry);
    ASSERT_LT(line.size(), 4096u) << "a line within PIPE_BUF";
    std::istringstream fields(fieldsOf(line));
    std::string address, what, company, terminal, table, rows, bytes, ms, outcome;
    fields >> address >> what >> company >> terminal >> table >> rows >> bytes >> ms;
    std::getline(fields >> std::ws, outcome);

    EXPECT_EQ(company, std::string(velmora::limits::kLogFieldBytes - 4, 'A') + "%...");
    // An escape is never cut in two.
    EXPECT_LE(terminal.size(), velmora::limits::kLogFieldBytes);
    EXPECT_TRUE(std::regex_match(terminal, std::regex("(%20)+%\\.\\.\\."))) << terminal;
    // Nor is a character.
    for (const std::string& cut : {table, outcome}) {
        EXPECT_EQ(cut.substr(cut.size() - 4), "%...");
        EXPECT_TRUE(velmora::isValidUtf8(cut));
    }
    EXPECT_LE(table.size(), velmora::limits::kLogFieldBytes);
    EXPECT_GT(table.size(), velmora::limits::kLogFieldBytes - 4);
    EXPECT_LE(outcome.size(), velmora::limits::kLogOutcomeBytes);
    EXPECT_GT(outcome.size(), velmora::limits::kLogOutcomeBytes - 4);
}

namespace {

// A directory with an INI whose [LOG] names `logFile` ("" for one in the
// directory), and the log's error descriptor.
class LogSetup {
public:
    explicit LogSetup(std::string logFile = {}) {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-log-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        directory_ = pattern;
        logFile_ = logFile.empty() ? directory_ + "/requests.log" : std::move(logFile);
        std::ofstream(directory_ + "/velmora.ini") << "[LOG]\r\nARQUIVO=" << logFile_ << "\r\n";
    }
    ~LogSetup() { std::filesystem::remove_all(directory_); }

    host::RequestLog log() const { return host::RequestLog(directory_ + "/velmora.ini", errors.fd()); }
    const std::string& logFile() const { return logFile_; }
    std::string logText() const {
        std::ifstream in(logFile_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    hosttest::MemFile errors;

private:
    std::string directory_, logFile_;
};

LoggedRequest aCall() {
    LoggedRequest entry;
    entry.what = "BuscaEstoque";
    entry.company = "1";
    return entry;
}

}  // namespace

// A full disk cut the last line short: the next one must not be glued to it.
TEST(RequestLogFile, ALineCutShortIsNeverContinued) {
    const LogSetup setup;
    std::ofstream(setup.logFile()) << "2026-12-09T16:52:32+00:00 127.0.0.1 Importa";
    setup.log().write(aCall());
    EXPECT_EQ(setup.logText(), "2026-12-09T16:52:32+00:00 127.0.0.1 Importa\n" + formatLogLine(aCall()));
}

// Processes appending at once: each line whole and on its own, none blank.
// A writer that took a neighbour's half-done append for a cut line would
// start its own with a needless break.
TEST(RequestLogFile, ConcurrentWritersLeaveNoBlankLine) {
    const LogSetup setup;
    LoggedRequest call = aCall();
    call.outcome = std::string(900, 'x');  // lines cross page boundaries often
    constexpr int kWriters = 4, kLines = 1500;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            host::RequestLog log = setup.log();
            for (int i = 0; i < kLines; ++i) log.write(call);
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) ::waitpid(pid, nullptr, 0);
    std::istringstream text(setup.logText());
    int lines = 0;
    for (std::string line; std::getline(text, line); ++lines) ASSERT_EQ(line + '\n', formatLogLine(call)) << lines;
    EXPECT_EQ(lines, kWriters * kLines);
}

// A log that is a device (or a FIFO, a directory) is refused, said once on
// standard error, and nothing is written to it.
TEST(RequestLogFile, AnythingButARegularFileIsRefused) {
    const LogSetup setup("/dev/null");
    host::RequestLog log = setup.log();
    log.write(aCall());
    log.write(aCall());
    EXPECT_EQ(setup.errors.contents(), "velmora: the request log /dev/null is not a regular file\n");
}
