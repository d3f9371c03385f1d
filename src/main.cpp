// The program: registers the service, then serves either the one request of
// a CGI process, or, when started with a listening socket on descriptor 0,
// FastCGI requests one after another, each answered as a fresh CGI process
// would answer it. Every request goes to the request log.
#include "db/FuncoesIntegECF.h"
#include "host/front_end.h"
#include "host/health_check.h"
#include "host/request_log.h"
#include "publish/wsdl_publish.h"
#include "service/VelmoraIntf.h"

#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

namespace {

// SIGTERM never cuts a CGI request short: lighttpd sends it the moment it
// has the whole answer, before the program has written its log line, and
// the database client's own SIGTERM handler (put in place on attach) would
// start its shutdown beside the exit-time cleanup, where the process crashes
// or hangs. So the signal is blocked from the start, in every thread (the
// database client's start later and inherit the mask), and ignored on the
// way out, which drops one that arrived meanwhile. A request cannot hang
// for it: its input ends with the web server's, its database work with the
// call's own limits. A FastCGI process reads it from a descriptor instead.
void holdTermination() {
    sigset_t terminate;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &terminate, nullptr);
}

// The web server must not wait for the database client's exit-time cleanup:
// once the response is out, standard output is closed. Everything that had
// to reach the database was committed before the response was written.
void finishOutput() {
    std::signal(SIGTERM, SIG_IGN);
    std::fflush(stdout);
    std::fclose(stdout);
}

// A failed registration is answered to every request with the fallback
// response, as the failure of the module it would have served.
host::WebModuleFactory moduleFactory(std::exception_ptr startupFailure) {
    if (!startupFailure) return host::createWebModule2;
    return [startupFailure]() -> std::unique_ptr<host::WebModule> { std::rethrow_exception(startupFailure); };
}

// The FastCGI process. Between requests the database goes back to one kept
// attachment and no transaction; the registries were complete at start-up.
int serveFastCgi(const host::WebModuleFactory& createModule, host::RequestLog& log) {
    db::keepAttachmentBetweenRequests();
    const int status =
        host::serveFastCgi({.serve =
                                [&](host::CgiEnvironment env, host::RequestInput& input, host::ResponseOutput& output) {
                                    return host::serveRequest(std::move(env), input, output, createModule);
                                },
                            .log = [&](const host::LoggedRequest& entry) { log.write(entry); },
                            .reset = db::endRequest});
    db::detachKeptAttachment();
    return status;
}

}  // namespace

int main() {
    // A client that went away must not kill the process: the failed write
    // is handled like any other.
    std::signal(SIGPIPE, SIG_IGN);
    const bool fastCgi = host::startedWithListeningSocket();
    if (!fastCgi) holdTermination();
    std::exception_ptr startupFailure;
    try {
        service::registerVelmora();
        publish::registerWSDLPublish();
    } catch (...) {
        startupFailure = std::current_exception();
    }
    const std::string iniFileName = db::DiretorioAplicacao() + std::string(db::nomeArquivoIni);
    const host::WebModuleFactory createModule =
        host::withHealthPath(moduleFactory(startupFailure), iniFileName, db::checkDatabase);
    host::RequestLog log(iniFileName, STDERR_FILENO);

    // A normal return, not _exit(), in both modes: an embedded database
    // engine needs its exit-time cleanup.
    if (fastCgi) return serveFastCgi(createModule, log);

    host::FdInput input(STDIN_FILENO);
    host::FdOutput output(STDOUT_FILENO);
    const host::LoggedRequest entry =
        host::serveRequest(host::CgiEnvironment::fromProcess(), input, output, createModule);
    finishOutput();
    log.write(entry);
    return 0;
}
