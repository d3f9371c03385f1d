// The health path's action item, added to a module when the INI names a path.
#include "host/health_check.h"

#include "common/watched_ini.h"
#include "host/cgi_request.h"
#include "host/cgi_response.h"

#include <exception>
#include <memory>
#include <utility>

namespace host {

namespace {

// The reason on lines of text: the service's messages break theirs with a CR.
std::string asLines(std::string_view reason) {
    std::string text;
    for (std::size_t i = 0; i < reason.size(); ++i) {
        if (reason[i] != '\r')
            text += reason[i];
        else if (i + 1 == reason.size() || reason[i + 1] != '\n')
            text += '\n';
    }
    text += '\n';
    return text;
}

void answerHealth(WebResponse& response, const std::function<void()>& roundTrip) {
    response.setContentType("text/plain; charset=utf-8");
    try {
        roundTrip();
        response.setContent(std::string("ok\n"));
        response.setLogged("health", "ok");
    } catch (const std::exception& failure) {
        response.setStatusCode(503);
        response.setContent(asLines(failure.what()));
        response.setLogged("health", failure.what());
    }
}

// [HEALTH] CAMINHO=, empty when unset or when the INI cannot be read (the
// calls then say why themselves).
std::string healthPath(velmora::WatchedIni& ini, const std::string& iniFileName) {
    try {
        const velmora::IniFile* file = ini.current(iniFileName);
        return file ? file->readString("HEALTH", "CAMINHO") : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

// GET on exactly `path`; every other request is left to the module's own
// items and components (the action declines it).
WebActionItem healthCheckAction(std::string path, std::function<void()> roundTrip) {
    return WebActionItem{"HealthCheck", Route(mtGet, "*"),
                         [path = std::move(path), roundTrip = std::move(roundTrip)](
                             const WebRequest& request, WebResponse& response, bool& handled) {
                             handled = request.pathInfo() == path;
                             if (handled) answerHealth(response, roundTrip);
                         }};
}

}  // namespace

WebModuleFactory withHealthPath(WebModuleFactory create, std::string iniFileName, std::function<void()> roundTrip) {
    auto ini = std::make_shared<velmora::WatchedIni>();
    return [create = std::move(create), ini, iniFileName = std::move(iniFileName), roundTrip = std::move(roundTrip)] {
        std::unique_ptr<WebModule> module = create();
        std::string path = healthPath(*ini, iniFileName);
        if (!path.empty()) {
            if (path.front() != '/') path.insert(0, 1, '/');
            module->addAction(healthCheckAction(std::move(path), roundTrip));
        }
        return module;
    };
}

}  // namespace host
