#include "common/watched_ini.h"

namespace velmora {

const IniFile* WatchedIni::current(const std::string& fileName) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0) {
        stamp_.reset();
        return nullptr;
    }
    Stamp now{fileName, st.st_dev, st.st_ino, st.st_size,
              std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
    if (stamp_ == now) return &ini_;
    stamp_.reset();
    ini_ = IniFile::load(fileName);
    stamp_ = std::move(now);
    return &ini_;
}

}  // namespace velmora
