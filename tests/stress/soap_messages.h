// What a terminal sends and what it makes of the answer: the request
// envelope of an IVelmora operation, and the answer read with libxml2 into
// either a fault or the values of one field of every record returned.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stress {

using Params = std::vector<std::pair<std::string, std::string>>;

std::string requestEnvelope(std::string_view operation, const Params& params);
// The quoted SOAP action a client sends for the operation.
std::string soapAction(std::string_view operation);

struct SoapAnswer {
    bool wellFormed = false;  // a SOAP envelope with one element in its Body
    bool fault = false;
    std::string faultString;          // UTF-8, as the terminal decodes it
    std::string responseName;         // e.g. "ImportaOperadoresResponse"
    std::vector<std::string> values;  // the asked field of every record, in array order
};

// Reads a response body; for an import, `field` names the record field to
// collect (e.g. "Codoper"); records are followed from the array's hrefs.
SoapAnswer readAnswer(std::string_view body, std::string_view field = {});

// Splits a CGI or HTTP response into head and body at the first empty line.
std::pair<std::string_view, std::string_view> splitHead(std::string_view response);

}  // namespace stress
