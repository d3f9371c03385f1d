#include "publish/program_identity.h"

#include "common/executable_path.h"

namespace publish {

namespace {

// Where the extension starts: the last "." of the file name, or the end.
std::size_t extensionStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot < nameStart ? path.size() : dot;
}

}  // namespace

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
