#include "publish/program_identity.h"

#include "common/executable_path.h"

namespace publish {

namespace {

std::string& pathOverride() {
    static std::string path;
    return path;
}

// Where the extension starts: the last "." of the file name, or the end.
std::size_t extensionStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot < nameStart ? path.size() : dot;
}

}  // namespace

std::string programPath() {
    const std::string& forced = pathOverride();
    return forced.empty() ? velmora::executablePath() : forced;
}

void setProgramPath(std::string path) { pathOverride() = std::move(path); }

std::string applicationTitle(std::string_view programPath) {
    const std::size_t slash = programPath.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    return std::string(programPath.substr(nameStart, extensionStart(programPath) - nameStart));
}

std::string portTableFileName(std::string_view programPath) {
    std::string name(programPath.substr(0, extensionStart(programPath)));
    name += "_WSDLADMIN.INI";
    return name;
}

}  // namespace publish
