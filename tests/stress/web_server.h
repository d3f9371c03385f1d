// lighttpd serving a program on a free loopback port, as CGI or in FastCGI
// mode, started and stopped with scripts/lib/webserver.sh, and the one HTTP
// request a terminal makes: a SOAP POST, answered on a connection of its own.
#pragma once

#include "stress/soap_messages.h"

#include <string>

namespace stress {

class WebServer {
public:
    // Cgi: a process per request. FastCgi: lighttpd keeps two processes of
    // the program (bin-path), each serving request after request.
    enum class Mode { Cgi, FastCgi };

    // Started; throws with the script's output.
    explicit WebServer(const std::string& program, Mode mode = Mode::Cgi);
    ~WebServer();
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    int port() const { return port_; }
    // The program's address path: "/velmora.cgi".
    const std::string& scriptPath() const { return scriptPath_; }

private:
    std::string directory_;
    std::string scriptPath_;
    int port_;
};

struct HttpAnswer {
    int status = 0;     // 0: no HTTP answer at all
    std::string error;  // why there is none
    std::string body;
    SoapAnswer soap;
};

// POSTs an IVelmora call to http://127.0.0.1:port<path>/soap/IVelmora.
HttpAnswer postSoap(int port, const std::string& scriptPath, std::string_view operation, const Params& params,
                    std::string_view field = {});

}  // namespace stress
