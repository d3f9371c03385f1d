// Fuzz target: one whole CGI request through the real web module: the
// service's and the publisher's interfaces registered as the program does,
// the application directory left without its INI file, so every operation
// fails before any database is touched. The input is the environment, one
// NAME=value per line (the two characters "\n" stand for a line feed inside
// a value), an empty line, then the body on standard input.
// Properties: a head is written whenever SERVER_PROTOCOL is set; it has no
// stray CR or LF, a numeric status and a Content-Length equal to the body's
// size; every XML answer is well-formed.
#include "db/FuncoesIntegECF.h"
#include "host/front_end.h"
#include "publish/wsdl_publish.h"
#include "service/VelmoraIntf.h"
#include "support/executable_path_override.h"
#include "support/fuzz_check.h"
#include "support/xml_answer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

using namespace fuzzsupport;

namespace {

struct MemoryFile {
    int fd = ::memfd_create("velmora-fuzz", MFD_CLOEXEC);
    MemoryFile() { check(fd >= 0, "memfd_create"); }
    ~MemoryFile() { ::close(fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd, bytes.data(), bytes.size());
            check(n > 0, "writing the body");
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        ::lseek(fd, 0, SEEK_SET);
    }
    std::string readAll() const {
        ::lseek(fd, 0, SEEK_SET);
        std::string out;
        char buffer[65536];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<std::size_t>(n));
        return out;
    }
};

void setUpOnce() {
    service::registerVelmora();
    publish::registerWSDLPublish();
    // An empty directory: ConectaBanco finds no INI file and fails at once.
    static const std::string dir = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        check(::mkdtemp(tmpl.data()) != nullptr, "mkdtemp");
        return tmpl;
    }();
    velmora::overrideExecutablePath(dir + "/velmora.cgi");
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isTokenChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The head up to its empty line, checked line by line; returns the body.
std::string_view checkHead(std::string_view output, const std::string& all) {
    const std::size_t end = output.find("\r\n\r\n");
    check(end != std::string_view::npos, "a head ends with an empty line", all);
    const std::string_view head = output.substr(0, end + 2);
    const std::string_view body = output.substr(end + 4);

    std::string contentLength, contentType;
    bool first = true;
    for (std::size_t start = 0; start < head.size();) {
        const std::size_t eol = head.find("\r\n", start);
        const std::string_view line = head.substr(start, eol - start);
        start = eol + 2;
        check(line.find_first_of("\r\n") == std::string_view::npos, "no CR or LF inside a head line", all);
        if (first) {
            check(line.size() >= 11 && line.starts_with("Status: ") && isDigit(line[8]) && isDigit(line[9]) &&
                      isDigit(line[10]) && (line.size() == 11 || line[11] == ' '),
                  "the status line", all);
            first = false;
            continue;
        }
        const std::size_t colon = line.find(':');
        check(colon != std::string_view::npos && colon > 0, "a header line is a name and a colon", all);
        for (const char c : line.substr(0, colon)) check(isTokenChar(c), "a header name", all);
        if (line.starts_with("Content-Length: ")) contentLength = line.substr(16);
        if (line.starts_with("Content-Type: ")) contentType = line.substr(14);
    }
    if (!contentLength.empty())
        check(contentLength == std::to_string(body.size()), "Content-Length is the size of the body", all);
    else
        check(body.empty(), "a body always comes with its Content-Length", all);
    if (contentType == "text/xml" && !body.empty())
        check(XmlAnswer(body).wellFormed(), "an XML answer is well-formed", all);
    return body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (setUpOnce(), true);
    (void)ready;

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t blank = input.find("\n\n");
    const std::string_view envText = input.substr(0, blank);
    const std::string_view body = blank == std::string_view::npos ? std::string_view() : input.substr(blank + 2);
    std::vector<std::string> entries;
    for (std::size_t start = 0; start < envText.size();) {
        const std::size_t eol = std::min(envText.find('\n', start), envText.size());
        std::string entry(envText.substr(start, eol - start));
        for (std::size_t at = 0; (at = entry.find("\\n", at)) != std::string::npos;) entry.replace(at, 2, 1, '\n');
        entries.push_back(std::move(entry));
        start = eol + 1;
    }
    host::CgiEnvironment env(entries);
    const bool wantsHead = !env.lookup("SERVER_PROTOCOL").empty();

    MemoryFile in, out;
    in.write(body);
    host::FdInput request(in.fd);
    host::FdOutput answer(out.fd);
    host::serveRequest(std::move(env), request, answer);
    const std::string output = out.readAll();

    // Every request is answered, so a head is always written when asked for
    // (without one, an empty page leaves nothing at all).
    if (wantsHead) check(output.starts_with("Status: "), "a head when SERVER_PROTOCOL is set", output);
    if (output.starts_with("Status: ")) checkHead(output, output);
    return 0;
}
