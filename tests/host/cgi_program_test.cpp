// The built CGI program run as the web server runs it: routing, variable
// lookups, body reading, response bytes and exit status. None of these
// requests needs a database.
#include "common/limits.h"
#include "support/body_text.h"
#include "support/cgi_runner.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>
#include <fstream>

using testsupport::CgiOptions;
using testsupport::CgiRun;
using testsupport::runCgi;
using testsupport::velmoraCgiPath;

namespace {

const std::string kEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";

std::string dispatcherFault(const std::string& message) {
    return "<?xml version=\"1.0\" encoding='UTF-8'?> <SOAP-ENV:Envelope xmlns:SOAP-ENV=\"" + kEnvelopeNs +
           "\" ><SOAP-ENV:Body> <SOAP-ENV:Fault> <faultcode>SOAP-ENV:Server</faultcode><faultstring>" + message +
           "</faultstring></SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

std::string head(const std::string& status, const std::string& type, std::size_t length) {
    return "Status: " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " + std::to_string(length) +
           "\r\nContent:\r\n\r\n";
}

std::vector<std::string> request(const std::string& method, const std::string& path,
                                 std::vector<std::string> more = {}) {
    more.push_back("REQUEST_METHOD=" + method);
    more.push_back("PATH_INFO=" + path);
    more.push_back("SERVER_PROTOCOL=HTTP/1.1");
    more.push_back("SCRIPT_NAME=/velmora.cgi");
    more.push_back("SERVER_PORT=80");
    return more;
}

// A well-formed call of an operation IVelmora does not have: answered by the
// SOAP layer without touching the database.
const std::string kUnknownCall =
    "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"" + kEnvelopeNs +
    "\"><SOAP-ENV:Body><NS1:Nothing xmlns:NS1=\"urn:VelmoraIntf-IVelmora\"/></SOAP-ENV:Body></SOAP-ENV:Envelope>";

CgiRun post(const std::string& path, const std::string& body, std::vector<std::string> more = {},
            const CgiOptions& options = {}) {
    return runCgi(velmoraCgiPath(), request("POST", path, std::move(more)), body, options);
}

bool isSoapFault(const std::string& output) { return output.find("SOAP-ENV:Fault") != std::string::npos; }

}  // namespace

TEST(CgiProgramRouting, SoapPathWithoutInterfaceGetsTheDispatcherFault) {
    const CgiRun run = post("/soap", "", {"CONTENT_TYPE=text/xml"});
    const std::string body = dispatcherFault("No interface  registered for URL '/soap'");
    EXPECT_EQ(run.output, head("500 Internal Server Error", "text/xml", body.size()) + body);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(CgiProgramRouting, PathLetterCaseIsIgnoredAndTheSpellingKept) {
    const CgiRun run = post("/SOAP/Nowhere", "");
    EXPECT_NE(run.output.find("No interface  registered for URL '/SOAP/Nowhere'"), std::string::npos) << run.output;
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(CgiProgramRouting, OnlyPostReachesTheSoapDispatcher) {
    for (const char* method : {"GET", "HEAD", "PUT", "DELETE"}) {
        const CgiRun run = runCgi(velmoraCgiPath(), request(method, "/soap"), "");
        EXPECT_FALSE(isSoapFault(run.output)) << method << ": " << run.output;
        EXPECT_EQ(run.exitStatus, 0) << method;
    }
    const CgiRun elsewhere = post("/x/soap", "");
    EXPECT_FALSE(isSoapFault(elsewhere.output)) << elsewhere.output;
}

TEST(CgiProgramRouting, InterfaceChosenByPathReachesTheOperationLookup) {
    const CgiRun run = post("/SOAP/ivelmora", kUnknownCall, {"CONTENT_LENGTH=" + std::to_string(kUnknownCall.size())});
    EXPECT_EQ(run.output.rfind("Status: 200 OK\r\nContent-Type: text/xml\r\n", 0), 0u) << run.output;
    EXPECT_NE(run.output.find("No method named 'Nothing' is supported by interface 'IVelmora'"), std::string::npos)
        << run.output;
}

TEST(CgiProgramLookup, SoapActionIsReadFromHttpSoapAction) {
    const CgiRun run = post("/soap/IVelmora", "", {"HTTP_SOAPACTION=\"urn:Unknown-IUnknown#Op\""});
    const std::string body = dispatcherFault("No interface  registered for soap action '\"urn:Unknown-IUnknown#Op\"'");
    EXPECT_EQ(run.output, head("500 Internal Server Error", "text/xml", body.size()) + body);
}

TEST(CgiProgramLookup, EnvironmentNamesIgnoreLetterCase) {
    const CgiRun run =
        runCgi(velmoraCgiPath(), {"request_method=post", "Path_Info=/soap/x", "server_protocol=HTTP/1.1"}, "");
    EXPECT_NE(run.output.find("No interface  registered for URL '/soap/x'"), std::string::npos) << run.output;
}

TEST(CgiProgramBody, HttpContentLengthWinsOverContentLength) {
    const std::string full = std::to_string(kUnknownCall.size());
    const auto method = [](const CgiRun& run) {
        return run.output.find("No method named 'Nothing'") != std::string::npos;
    };
    // The whole envelope reaches the SOAP layer only when the length that
    // counts says so; a cut one is not well-formed.
    EXPECT_TRUE(method(post("/soap/IVelmora", kUnknownCall, {"CONTENT_LENGTH=" + full})));
    EXPECT_TRUE(method(post("/soap/IVelmora", kUnknownCall, {"HTTP_CONTENT_LENGTH=" + full, "CONTENT_LENGTH=20"})));
    EXPECT_TRUE(method(post("/soap/IVelmora", kUnknownCall, {"HTTP_CONTENT_LENGTH=", "CONTENT_LENGTH=" + full})));
    const CgiRun cut = post("/soap/IVelmora", kUnknownCall, {"HTTP_CONTENT_LENGTH=40", "CONTENT_LENGTH=" + full});
    EXPECT_FALSE(method(cut));
    EXPECT_TRUE(isSoapFault(cut.output)) << cut.output;
}

TEST(CgiProgramBody, ShortBodyIsWhatArrived) {
    const CgiRun run = post("/soap/IVelmora", kUnknownCall, {"CONTENT_LENGTH=100000"});
    EXPECT_NE(run.output.find("No method named 'Nothing'"), std::string::npos) << run.output;
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(CgiProgramBody, HugeAnnouncementIsRefusedUnread) {
    CgiOptions options;
#if !defined(__SANITIZE_ADDRESS__)
    // Reserving what was announced would fail under this limit even if the
    // pages were never touched.
    options.addressSpaceLimit = 512ull * 1024 * 1024;
#endif
    const CgiRun run = post("/soap", "0123456789", {"CONTENT_LENGTH=1073741824"}, options);
    const std::string body = dispatcherFault("The request body of 1073741824 bytes is larger than the " +
                                             std::to_string(velmora::limits::kMaxRequestBodyBytes) + " bytes accepted");
    EXPECT_EQ(run.output, head("500 Internal Server Error", "text/xml", body.size()) + body);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_LT(run.peakRssKb, 64 * 1024);
}

TEST(CgiProgramOutput, WithoutServerProtocolOnlyTheBodyIsWritten) {
    const CgiRun run = runCgi(velmoraCgiPath(), {"REQUEST_METHOD=POST", "PATH_INFO=/soap"}, "");
    EXPECT_EQ(run.output, dispatcherFault("No interface  registered for URL '/soap'"));
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(CgiProgramOutput, EmptyEnvironmentEndsCleanly) {
    const CgiRun run = runCgi(velmoraCgiPath(), {}, "");
    EXPECT_FALSE(isSoapFault(run.output));
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(CgiProgramOutput, ClientThatStoppedReadingDoesNotKillTheProcess) {
    // The response goes to a pipe nobody reads: writing fails, the process
    // still ends with status 0 instead of dying of SIGPIPE.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        std::signal(SIGPIPE, SIG_DFL);
        const std::string path = velmoraCgiPath();
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        char method[] = "REQUEST_METHOD=POST", info[] = "PATH_INFO=/soap", proto[] = "SERVER_PROTOCOL=HTTP/1.1";
        char* envp[] = {method, info, proto, nullptr};
        ::execve(path.c_str(), argv, envp);
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A client that takes gzip gets the same envelope compressed, with the head
// lines that say so; an INI that turns compression off gives it today's bytes.
TEST(CgiProgramOutput, GzipGoesWithItsHeadLinesUnlessTheIniTurnsItOff) {
    const std::string path = "/soap/" + std::string(velmora::limits::kGzipMinBytes, 'x');
    const std::string fault = dispatcherFault("No interface  registered for URL '" + path + "'");
    const CgiRun packed = post(path, "", {"HTTP_ACCEPT_ENCODING=gzip, deflate"});
    const std::size_t end = packed.output.find("\r\n\r\n") + 4;
    const std::string body = packed.output.substr(end);
    EXPECT_EQ(packed.output.substr(0, end),
              "Status: 500 Internal Server Error\r\nContent-Type: text/xml\r\nContent-Encoding: gzip\r\n"
              "Vary: Accept-Encoding\r\nContent-Length: " +
                  std::to_string(body.size()) + "\r\nContent:\r\n\r\n");
    EXPECT_EQ(testsupport::gunzip(body), fault);

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("velmora-gzip-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(velmoraCgiPath(), dir / "velmora.cgi",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(dir / "caminhoBDIntegECF.ini") << "[HTTP]\r\nCOMPRIMIR=0\r\n";
    const CgiRun plain =
        runCgi((dir / "velmora.cgi").string(), request("POST", path, {"HTTP_ACCEPT_ENCODING=gzip"}), "");
    std::filesystem::remove_all(dir);
    EXPECT_EQ(plain.output, head("500 Internal Server Error", "text/xml", fault.size()) + fault);
}
