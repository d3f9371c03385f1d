// The CGI program copy of the stress tests.
#include "stress/cgi_program.h"

#include "support/body_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace stress {
namespace fs = std::filesystem;

CgiProgram::CgiProgram() {
    std::string pattern = (fs::temp_directory_path() / "velmora-cgi-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a directory for the program");
    directory_ = pattern;
    // The web server's user and `nobody` must be able to run it.
    fs::permissions(directory_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    path_ = directory_ + "/velmora.cgi";
    fs::copy_file(testsupport::velmoraCgiPath(), path_);
    launcher_ = path_;
}

CgiProgram::~CgiProgram() {
    std::error_code ignored;
    if (launcher_ != path_) fs::remove(launcher_, ignored);
    fs::remove_all(directory_, ignored);
}

std::string CgiProgram::iniPath() const { return directory_ + "/caminhoBDIntegECF.ini"; }

void CgiProgram::writeIni(const std::string& databaseLocation, int timeLimitSeconds) {
    std::ofstream ini(iniPath());
    ini << "[DATABASE]\r\nCAMINHO=" << databaseLocation << "\r\nUSUARIO=SYSDBA\r\nSENHA=masterkey\r\n";
    if (timeLimitSeconds > 0) ini << "TEMPOLIMITE=" << timeLimitSeconds << "\r\n";
    ini.close();
    ::chmod(iniPath().c_str(), 0644);
}

void CgiProgram::removeIni() { fs::remove(iniPath()); }

void CgiProgram::runAs(const std::string& user, const std::string& group) {
    if (user.empty()) {
        launcher_ = path_;
        return;
    }
    // The program must keep its own path (its INI is found beside it), so
    // the wrapper lives elsewhere and execs it.
    launcher_ = directory_ + "-as-" + user;
    std::ofstream(launcher_) << "#!/bin/sh\nexec /usr/bin/setpriv --reuid=" << user << " --regid=" << group
                             << " --clear-groups -- " << path_ << "\n";
    ::chmod(launcher_.c_str(), 0755);
}

std::vector<std::string> CgiProgram::environment() const {
    std::vector<std::string> env;
    for (const char* name : {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP", "LD_LIBRARY_PATH"})
        if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
    env.insert(env.end(), extraEnvironment_.begin(), extraEnvironment_.end());
    return env;
}

int CgiProgram::openErrorFile() const {
    return errorFile_.empty() ? -1 : ::open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

testsupport::FastCgiProcess& CgiProgram::startFastCgi() {
    const int errorFd = openErrorFile();
    fastCgi_ = std::make_unique<testsupport::FastCgiProcess>(launcher_, environment(), directory_, errorFd);
    if (errorFd >= 0) ::close(errorFd);
    return *fastCgi_;
}

testsupport::CgiRun CgiProgram::stopFastCgi() {
    testsupport::CgiRun end = fastCgi_->stop(SIGTERM);
    fastCgi_.reset();
    return end;
}

CgiCall CgiProgram::call(std::string_view operation, const Params& params, std::string_view field, int timeoutMs,
                         int terminateAfterOutputMs) const {
    const std::string body = requestEnvelope(operation, params);
    std::vector<std::string> env = {"REQUEST_METHOD=POST",
                                    "PATH_INFO=/soap/IVelmora",
                                    "SCRIPT_NAME=/velmora.cgi",
                                    "SERVER_PROTOCOL=HTTP/1.1",
                                    "SERVER_NAME=127.0.0.1",
                                    "SERVER_PORT=80",
                                    "REMOTE_ADDR=127.0.0.1",
                                    "CONTENT_TYPE=text/xml; charset=utf-8",
                                    "CONTENT_LENGTH=" + std::to_string(body.size()),
                                    "HTTP_SOAPACTION=" + soapAction(operation)};
    for (std::string& entry : environment()) env.push_back(std::move(entry));

    CgiCall result;
    if (fastCgi_) {
        result.run = fastCgi_->request(env, body, timeoutMs);
    } else {
        testsupport::CgiOptions options;
        options.timeoutMs = timeoutMs;
        options.terminateAfterOutputMs = terminateAfterOutputMs;
        options.errorFd = openErrorFile();
        result.run = testsupport::runCgi(launcher_, env, body, options);
        if (options.errorFd >= 0) ::close(options.errorFd);
    }
    const auto [head, content] = splitHead(result.run.output);
    result.head = std::string(head);
    // Decoded as an HTTP client decodes it, when the call asked for gzip.
    const bool gzip = result.head.find("\r\nContent-Encoding: gzip") != std::string::npos;
    result.answer = readAnswer(gzip ? testsupport::gunzip(content) : std::string(content), field);
    return result;
}

CgiCall CgiProgram::importa(std::string_view operation, std::string_view company, std::string_view terminal,
                            std::string_view field) const {
    return call(operation, {{"PCodEmpresa", std::string(company)}, {"PEcf", std::string(terminal)}}, field);
}

CgiCall CgiProgram::deleta(std::string_view company, std::string_view terminal, std::string_view table) const {
    return call(
        "DeletaIntegECF",
        {{"PCodEmpresa", std::string(company)}, {"PEcf", std::string(terminal)}, {"PTabela", std::string(table)}});
}

}  // namespace stress
