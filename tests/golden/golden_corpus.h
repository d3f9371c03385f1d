// The golden corpus: request files (tests/golden/requests/NNN-name.req)
// replayed in order against a running service, each answer compared byte for
// byte with its recorded file (tests/golden/answers/NNN-name.out), or
// recorded anew. Nothing here knows how a request reaches the program: the
// caller sends it (a CGI process, a FastCGI front end), so every front end
// is held to the same answers. The file format is described in
// tests/golden/README.md.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace golden {

struct Request {
    std::string name;                   // the file name without ".req": "001-service-page"
    std::vector<std::string> settings;  // "NAME=value" (escapes resolved) or "NAME" alone (removes it)
    std::string body;                   // the bytes after the empty line, exactly
};

// What every request starts from; a file changes or removes any of them.
// CONTENT_LENGTH is added from the body's size.
const std::map<std::string, std::string>& defaultEnvironment();

// tests/golden/requests and tests/golden/answers in the source tree.
std::filesystem::path requestsDirectory();
std::filesystem::path answersDirectory();

// One request file's bytes; throws std::runtime_error naming the file and
// the line on a malformed head.
Request parseRequest(std::string name, std::string_view bytes);

// Every NNN-name.req of the directory in the order of NNN. Any other file,
// a malformed name or a number used twice is an error (std::runtime_error).
std::vector<Request> loadRequests(const std::filesystem::path& directory);

// The request's CGI environment as NAME=value entries: the defaults, then
// `outside` (what the front end passes through from its own environment,
// such as the database engine's settings), then CONTENT_LENGTH of the body,
// then the file's own settings.
std::vector<std::string> environment(const Request& request, const std::map<std::string, std::string>& outside = {});

// What sending one request gave: everything the program wrote, and a
// description of anything that went wrong besides (a signal, a timeout, a
// non-zero exit status); empty when nothing did.
struct Outcome {
    std::string output;
    std::string problem;
};
using Send = std::function<Outcome(const Request&)>;

enum class Mode { compare, record };

// Mode::record when VELMORA_GOLDEN_RECORD=1, else Mode::compare.
Mode modeFromEnvironment();

// Sends every request in order. Compare: each output must equal its answer
// file, and no answer file may be left without its request. Record: writes
// every answer file and removes those without a request. Returns one message
// per failure (empty: all passed).
std::vector<std::string> replay(const std::vector<Request>& requests, const std::filesystem::path& answers, Mode mode,
                                const Send& send);

// "" when equal; otherwise where the two first differ, with a short
// excerpt of both around that place (control bytes escaped).
std::string describeDifference(std::string_view expected, std::string_view actual);

}  // namespace golden
