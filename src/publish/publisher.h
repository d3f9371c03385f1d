// WSDLHTMLPublish1's work: answers /wsdl* (listing, WSDL documents,
// administration refusals) and supplies the service page and the inspection
// document, all generated from the registries on each request.
#pragma once

#include "publish/publisher_io.h"
#include "publish/wsdl.h"
#include "soap/invoke_registry.h"
#include "soap/type_registry.h"

#include <string>
#include <string_view>

namespace publish {

struct Settings {
    std::string title;          // the application title on the pages
    std::string portTableFile;  // read when it exists; empty: none
    std::string targetNamespace = std::string(kTargetNamespace);

    // The title and port table file of the program at `programPath`.
    static Settings forProgram(std::string_view programPath);
};

class Publisher {
public:
    explicit Publisher(Settings settings, const soap::InvRegistry& registry = soap::InvRegistry::instance(),
                       soap::RemTypeRegistry& types = soap::RemTypeRegistry::instance());

    // The answer to a request on /wsdl*; a failure becomes the error page
    // with the status left at 200, so this never throws.
    Answer dispatch(const Request& request) const;

    // The service page, or the inspection document for /inspection.wsil (any
    // letter case). Failures are the caller's to report.
    Page servicePage(const Request& request) const;

    const Settings& settings() const noexcept { return settings_; }

private:
    Answer answer(const Request& request) const;

    Settings settings_;
    const soap::InvRegistry& registry_;
    soap::RemTypeRegistry& types_;
};

}  // namespace publish
