// A private copy of the built velmora.cgi with its own INI file beside it,
// run as the web server runs it: one process per call, the Firebird
// environment of the test passed on, the answer read as a terminal reads it.
#pragma once

#include "stress/soap_messages.h"
#include "support/cgi_runner.h"
#include "support/fastcgi_process.h"

#include <memory>
#include <string>
#include <vector>

namespace stress {

struct CgiCall {
    testsupport::CgiRun run;
    std::string head;  // the CGI head ("Status: 200 OK" ...)
    SoapAnswer answer;
};

class CgiProgram {
public:
    CgiProgram();  // copies the program into a fresh directory, no INI yet
    ~CgiProgram();
    CgiProgram(const CgiProgram&) = delete;
    CgiProgram& operator=(const CgiProgram&) = delete;

    const std::string& directory() const { return directory_; }
    const std::string& path() const { return path_; }
    std::string iniPath() const;

    // Writes the INI naming the database location, user SYSDBA, and the
    // time limit of a call's database work when given (TEMPOLIMITE).
    void writeIni(const std::string& databaseLocation, int timeLimitSeconds = 0);
    void removeIni();

    // Runs the program through setpriv as that user and group from now on
    // (root only); empty: as ourselves.
    void runAs(const std::string& user, const std::string& group);
    // NAME=value added to the environment of every call from now on, as a
    // web server configured so would pass it.
    void addEnvironment(std::string entry) { extraEnvironment_.push_back(std::move(entry)); }
    // Standard error of every process from now on appended to this file
    // instead of going to the test's own.
    void sendErrorsTo(std::string file) { errorFile_ = std::move(file); }

    // From now on every call goes to one FastCGI process of the program,
    // started here with the environment a call gets, until stopFastCgi().
    testsupport::FastCgiProcess& startFastCgi();
    // SIGTERM, and how the process ended.
    testsupport::CgiRun stopFastCgi();

    // One SOAP call; `field` as in readAnswer; SIGTERM as in CgiOptions.
    CgiCall call(std::string_view operation, const Params& params, std::string_view field = {}, int timeoutMs = 120000,
                 int terminateAfterOutputMs = -1) const;
    CgiCall importa(std::string_view operation, std::string_view company, std::string_view terminal,
                    std::string_view field) const;
    CgiCall deleta(std::string_view company, std::string_view terminal, std::string_view table) const;

private:
    std::string directory_;
    std::string path_;
    std::string launcher_;  // what is executed: the program or its setpriv wrapper
    std::vector<std::string> environment() const;
    int openErrorFile() const;

    std::vector<std::string> extraEnvironment_;
    std::string errorFile_;
    std::unique_ptr<testsupport::FastCgiProcess> fastCgi_;
};

}  // namespace stress
