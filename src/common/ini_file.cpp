#include "common/ini_file.h"

#include "common/exception.h"
#include "common/limits.h"
#include "common/text.h"
#include "common/win1252.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

struct OpenFile {
    int fd;
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
};

[[noreturn]] void throwRefused(std::string_view why, const std::string& fileName) {
    throw velmora::Exception("Arquivo ini " + std::string(why) + " no local : " + fileName);
}

}  // namespace

IniFile IniFile::load(const std::string& fileName) {
    // Opening never blocks (a FIFO without a writer would hold the request),
    // and only a regular file of a bounded size is read: a device such as
    // /dev/zero never ends.
    const OpenFile file{::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) throw velmora::Exception("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    struct stat st;
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) throwRefused("não é um arquivo comum", fileName);
    // One byte more than allowed tells a file that is too large.
    std::string text(limits::kMaxIniFileBytes + 1, '\0');
    std::size_t length = 0;
    while (length < text.size()) {
        const ssize_t n = ::read(file.fd, text.data() + length, text.size() - length);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw velmora::Exception("Cannot read file \"" + fileName + "\". " + std::strerror(errno));
        length += static_cast<std::size_t>(n);
    }
    if (length > limits::kMaxIniFileBytes)
        throwRefused("maior que " + std::to_string(limits::kMaxIniFileBytes) + " bytes", fileName);
    text.resize(length);
    return parse(text);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    std::string section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = win1252ToUtf8(trim(line.substr(1, line.size() - 2)));
            continue;
        }
        const std::size_t eq = line.find('=');
        std::string_view key = trim(line.substr(0, eq));
        std::string_view value = eq == std::string_view::npos ? std::string_view{} : trim(line.substr(eq + 1));
        ini.entries_.push_back({section, win1252ToUtf8(key), win1252ToUtf8(value)});
    }
    return ini;
}

std::string IniFile::readString(std::string_view section, std::string_view key) const {
    for (const Entry& e : entries_)
        if (equalsIgnoringCase(e.section, section) && equalsIgnoringCase(e.key, key)) return e.value;
    return {};
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    for (const Entry& e : entries_) {
        if (!equalsIgnoringCase(e.section, section)) continue;
        bool seen = false;
        for (const std::string& k : out) seen = seen || equalsIgnoringCase(k, e.key);
        if (!seen) out.push_back(e.key);
    }
    return out;
}

}  // namespace velmora
