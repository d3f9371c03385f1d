// The health path through the built CGI program beside an INI that names
// it: "ok" after a round trip to a real database, 503 with the reason when
// the database cannot be reached, a request log line called "health", and
// every other request on or beside the path answered as before.
#include "support/cgi_runner.h"
#include "support/program_directory.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A copy of the program beside an INI naming `database`, the health path
// /health and a request log.
class HealthPath : public ::testing::Test {
protected:
    void start(const db::ConnectParams& database) {
        directory_.emplace(database);
        std::ofstream(iniPath(), std::ios::app) << "[HEALTH]\nCAMINHO=/health\n[LOG]\nARQUIVO=" << logPath() << "\n";
        program_ = directory_->path() + "/velmora.cgi";
        std::filesystem::copy_file(testsupport::velmoraCgiPath(), program_);
    }

    testsupport::CgiRun request(const std::string& method, const std::string& path) const {
        std::vector<std::string> env = {"REQUEST_METHOD=" + method, "PATH_INFO=" + path, "SERVER_PROTOCOL=HTTP/1.1",
                                        "SCRIPT_NAME=/velmora.cgi", "SERVER_PORT=80",    "HTTP_HOST=localhost"};
        // The embedded engine's settings, as the web server is configured to pass them.
        for (const char* name : {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP", "LD_LIBRARY_PATH"})
            if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
        return testsupport::runCgi(program_, env, "");
    }

    std::string iniPath() const { return directory_->path() + "/caminhoBDIntegECF.ini"; }
    std::string logPath() const { return directory_->path() + "/requests.log"; }

    // The log's fields after the time stamp and the address.
    std::string lastLogLine() const {
        std::ifstream log(logPath());
        std::string line, last;
        while (std::getline(log, line)) last = line;
        std::istringstream fields(last);
        std::string time, address;
        fields >> time >> address;
        std::getline(fields, line);
        return line;
    }

    std::optional<testsupport::ProgramDirectory> directory_;
    std::string program_;
};

const std::string kOk =
    "Status: 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: 3\r\nContent:\r\n\r\nok\n";

}  // namespace

TEST_F(HealthPath, AnswersOkAfterARoundTripToTheDatabaseAndLeavesOtherRequestsAlone) {
    const testsupport::TestDatabase database;
    start(database.params());

    EXPECT_EQ(request("GET", "/health").output, kOk);
    EXPECT_TRUE(lastLogLine().starts_with(" health - - - - " + std::to_string(kOk.size()) + " ")) << lastLogLine();
    EXPECT_TRUE(lastLogLine().ends_with(" ok")) << lastLogLine();

    // Another method, or another path, gets what it got before: here the
    // service page.
    for (const auto& [method, path] : {std::pair{"POST", "/health"}, {"HEAD", "/health"}, {"GET", "/health/x"}}) {
        const std::string output = request(method, path).output;
        EXPECT_TRUE(output.starts_with("Status: 200 OK\r\nContent-Type: text/html\r\n")) << method << " " << path;
        EXPECT_NE(output.find("Service Info Page"), std::string::npos) << method << " " << path;
    }
}

TEST_F(HealthPath, AnswersServiceUnavailableWithTheReasonWhenTheDatabaseCannotBeReached) {
    // A server address where nothing listens: refused at once.
    start({"127.0.0.1/1:/nowhere/empresa.fdb", "SYSDBA", "masterkey"});

    const std::string output = request("GET", "/health").output;
    const std::string head = "Status: 503 Service Unavailable\r\nContent-Type: text/plain; charset=utf-8\r\n";
    ASSERT_TRUE(output.starts_with(head)) << output;
    const std::string body = output.substr(output.find("Content:\r\n\r\n") + 12);
    // The connection fault's text, its CR made a line break.
    EXPECT_TRUE(body.starts_with("Impossível conectar ao banco de dados pelo seguinte motivo: \n")) << body;
    EXPECT_NE(body.find("127.0.0.1"), std::string::npos) << body;
    EXPECT_TRUE(lastLogLine().starts_with(" health - - - - ")) << lastLogLine();
    EXPECT_NE(lastLogLine().find(" Impossível conectar ao banco de dados"), std::string::npos) << lastLogLine();
}
