#include "golden/golden_corpus.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace golden {

namespace fs = std::filesystem;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isNameChar(char c) { return isDigit(c) || isLower(c) || (c >= 'A' && c <= 'Z') || c == '_'; }

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "NNN-name.req" with a name of lower-case letters, digits and dashes.
bool isRequestFileName(const std::string& file) {
    const std::string_view suffix = ".req";
    if (file.size() < 5 + suffix.size() || !file.ends_with(suffix)) return false;
    if (!isDigit(file[0]) || !isDigit(file[1]) || !isDigit(file[2]) || file[3] != '-') return false;
    const std::string_view name = std::string_view(file).substr(4, file.size() - 4 - suffix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return isLower(c) || isDigit(c) || c == '-'; });
}

// A value may carry bytes a line cannot: \r, \n, \t, \\ and \xHH.
std::string unescape(std::string_view value, const std::string& where) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (i + 1 >= value.size()) throw std::runtime_error(where + ": a backslash ends the line");
        const char c = value[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == '\\')
            out += '\\';
        else if (c == 'x' && i + 2 < value.size() && hexDigit(value[i + 1]) >= 0 && hexDigit(value[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(value[i + 1]) * 16 + hexDigit(value[i + 2]));
            i += 2;
        } else {
            throw std::runtime_error(where + ": unknown escape \\" + std::string(1, c) +
                                     " (write \\\\ for a backslash)");
        }
    }
    return out;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string escaped(std::string_view bytes) {
    static const char* const digits = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (u < 0x20 || u >= 0x7f)
            out += std::string("\\x") + digits[u >> 4] + digits[u & 15];
        else
            out += c;
    }
    return out;
}

// Some bytes before the offset, "[@]", some bytes from it.
std::string excerpt(std::string_view bytes, std::size_t offset) {
    constexpr std::size_t before = 40, after = 80;
    const std::size_t start = offset > before ? offset - before : 0;
    std::string out = start > 0 ? "..." : "";
    out += escaped(bytes.substr(start, offset - start));
    out += "[@]";
    out += escaped(bytes.substr(std::min(offset, bytes.size()), after));
    if (offset + after < bytes.size()) out += "...";
    return out;
}

}  // namespace

const std::map<std::string, std::string>& defaultEnvironment() {
    static const std::map<std::string, std::string> defaults{
        {"REQUEST_METHOD", "POST"},      {"PATH_INFO", "/soap/IVelmora"}, {"SERVER_PROTOCOL", "HTTP/1.1"},
        {"SCRIPT_NAME", "/velmora.cgi"}, {"SERVER_PORT", "80"},           {"HTTP_HOST", "localhost"},
    };
    return defaults;
}

fs::path requestsDirectory() { return fs::path(VELMORA_GOLDEN_DIR) / "requests"; }
fs::path answersDirectory() { return fs::path(VELMORA_GOLDEN_DIR) / "answers"; }

Request parseRequest(std::string name, std::string_view bytes) {
    Request request;
    request.name = std::move(name);
    std::size_t start = 0;
    for (int lineNumber = 1;; ++lineNumber) {
        const std::string where = request.name + ".req, line " + std::to_string(lineNumber);
        const std::size_t eol = bytes.find('\n', start);
        if (eol == std::string_view::npos) throw std::runtime_error(where + ": no empty line ends the environment");
        const std::string_view line = bytes.substr(start, eol - start);
        start = eol + 1;
        if (line.empty()) break;
        if (line.find('\r') != std::string_view::npos)
            throw std::runtime_error(where + ": a CR in the environment (write \\r)");
        const std::size_t eq = line.find('=');
        const std::string_view variable = line.substr(0, eq);
        if (variable.empty() || !std::all_of(variable.begin(), variable.end(), isNameChar))
            throw std::runtime_error(where + ": not NAME=value nor NAME");
        request.settings.push_back(eq == std::string_view::npos
                                       ? std::string(variable)
                                       : std::string(variable) + "=" + unescape(line.substr(eq + 1), where));
    }
    request.body = std::string(bytes.substr(start));
    return request;
}

std::vector<Request> loadRequests(const fs::path& directory) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        const std::string file = entry.path().filename().string();
        if (!entry.is_regular_file() || !isRequestFileName(file))
            throw std::runtime_error(entry.path().string() + ": not a request file (NNN-name.req)");
        files.push_back(file);
    }
    std::sort(files.begin(), files.end());
    std::vector<Request> requests;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0 && files[i].compare(0, 3, files[i - 1], 0, 3) == 0)
            throw std::runtime_error(files[i - 1] + " and " + files[i] + " share their number");
        const std::string& file = files[i];
        requests.push_back(parseRequest(file.substr(0, file.size() - 4), readFile(directory / file)));
    }
    return requests;
}

std::vector<std::string> environment(const Request& request, const std::map<std::string, std::string>& outside) {
    std::map<std::string, std::string> vars = defaultEnvironment();
    for (const auto& [name, value] : outside) vars[name] = value;
    vars["CONTENT_LENGTH"] = std::to_string(request.body.size());
    for (const std::string& setting : request.settings) {
        const std::size_t eq = setting.find('=');
        if (eq == std::string::npos)
            vars.erase(setting);
        else
            vars[setting.substr(0, eq)] = setting.substr(eq + 1);
    }
    std::vector<std::string> env;
    for (const auto& [name, value] : vars) env.push_back(name + "=" + value);
    return env;
}

Mode modeFromEnvironment() {
    const char* record = std::getenv("VELMORA_GOLDEN_RECORD");
    return record && std::string_view(record) == "1" ? Mode::record : Mode::compare;
}

std::string describeDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual) return {};
    const auto first = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first;
    const std::size_t offset = static_cast<std::size_t>(first - expected.begin());
    return "first difference at byte " + std::to_string(offset) + " (recorded " + std::to_string(expected.size()) +
           " bytes, got " + std::to_string(actual.size()) + ")\n  recorded: " + excerpt(expected, offset) +
           "\n  got:      " + excerpt(actual, offset);
}

std::vector<std::string> replay(const std::vector<Request>& requests, const fs::path& answers, Mode mode,
                                const Send& send) {
    std::vector<std::string> failures;
    if (mode == Mode::record) fs::create_directories(answers);
    std::set<std::string> expectedFiles;
    for (const Request& request : requests) {
        const std::string file = request.name + ".out";
        expectedFiles.insert(file);
        Outcome outcome;
        try {
            outcome = send(request);
        } catch (const std::exception& e) {
            failures.push_back(request.name + ": not sent: " + e.what());
            continue;
        }
        if (!outcome.problem.empty()) failures.push_back(request.name + ": " + outcome.problem);
        if (mode == Mode::record) {
            writeFile(answers / file, outcome.output);
            continue;
        }
        if (!fs::exists(answers / file)) {
            failures.push_back(request.name + ": no recorded answer " + file +
                               " (record with VELMORA_GOLDEN_RECORD=1)");
            continue;
        }
        const std::string difference = describeDifference(readFile(answers / file), outcome.output);
        if (!difference.empty())
            failures.push_back(request.name + ": the answer differs from " + file + ", " + difference);
    }
    // An answer without its request is a request lost from the corpus.
    if (fs::exists(answers)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(answers)) {
            const std::string file = entry.path().filename().string();
            if (expectedFiles.count(file)) continue;
            if (mode == Mode::record && file.ends_with(".out"))
                fs::remove(entry.path());
            else
                failures.push_back("answers/" + file + ": no request file answers to it");
        }
    }
    return failures;
}

}  // namespace golden
