// The program: registers the service, then serves either the one request of
// a CGI process, or, when started with a listening socket on descriptor 0,
// FastCGI requests one after another, each answered as a fresh CGI process
// would answer it. Every request goes to the request log.
#include "db/FuncoesIntegECF.h"
#include "host/front_end.h"
#include "host/request_log.h"
#include "publish/wsdl_publish.h"
#include "service/VelmoraIntf.h"

#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

namespace {

// The web server must not wait for the database client's exit-time cleanup:
// once the response is out, standard output is closed. Everything that had
// to reach the database was committed before the response was written.
//
// Some web servers (lighttpd) send SIGTERM as soon as the output ends. The
// database client's own SIGTERM handler starts its shutdown beside the
// exit-time cleanup, and the process crashes or hangs in it; with nothing
// left to do but that cleanup, the signal is ignored, before the output is
// closed so that it cannot land in between, and the process ends on its
// own, with status 0.
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
                                    log.write(host::serveRequest(std::move(env), input, output, createModule));
                                },
                            .reset = db::endRequest});
    db::detachKeptAttachment();
    return status;
}

}  // namespace

int main() {
    // A client that went away must not kill the process: the failed write
    // is handled like any other.
    std::signal(SIGPIPE, SIG_IGN);
    std::exception_ptr startupFailure;
    try {
        service::registerVelmora();
        publish::registerWSDLPublish();
    } catch (...) {
        startupFailure = std::current_exception();
    }
    const host::WebModuleFactory createModule = moduleFactory(startupFailure);
    host::RequestLog log(db::DiretorioAplicacao() + std::string(db::nomeArquivoIni), STDERR_FILENO);

    // A normal return, not _exit(), in both modes: an embedded database
    // engine needs its exit-time cleanup.
    if (host::startedWithListeningSocket()) return serveFastCgi(createModule, log);

    host::FdInput input(STDIN_FILENO);
    host::FdOutput output(STDOUT_FILENO);
    const host::LoggedRequest entry =
        host::serveRequest(host::CgiEnvironment::fromProcess(), input, output, createModule);
    finishOutput();
    log.write(entry);
    return 0;
}
