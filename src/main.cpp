// The CGI program: registers the service, serves the one request of this
// process and ends.
#include "host/error_pages.h"
#include "host/front_end.h"
#include "publish/wsdl_publish.h"
#include "service/VelmoraIntf.h"

#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <exception>

namespace {

// The web server must not wait for the database client's exit-time cleanup:
// once the response is out, standard output is closed. Everything that had
// to reach the database was committed before the response was written.
//
// Some web servers (lighttpd) send SIGTERM as soon as the output ends. The
// database client's own SIGTERM handler, run during its exit-time cleanup,
// can crash the process; with nothing left to do but that cleanup, the
// signal is ignored and the process ends on its own, with status 0.
void finishOutput() {
    std::fflush(stdout);
    std::fclose(stdout);
    std::signal(SIGTERM, SIG_IGN);
}

}  // namespace

int main() {
    // A client that went away must not kill the process: the failed write
    // is handled like any other.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        service::registerVelmora();
        publish::registerWSDLPublish();
    } catch (...) {
        host::FdOutput output(STDOUT_FILENO);
        host::writeFallbackResponse(output, std::current_exception());
        finishOutput();
        return 0;
    }
    host::FdInput input(STDIN_FILENO);
    host::FdOutput output(STDOUT_FILENO);
    host::serveRequest(host::CgiEnvironment::fromProcess(), input, output);
    finishOutput();
    // A normal return, not _exit(): an embedded database engine needs its
    // exit-time cleanup.
    return 0;
}
