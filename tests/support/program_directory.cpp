#include "support/program_directory.h"

#include "db/FuncoesIntegECF.h"
#include "support/executable_path_override.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testsupport {

ProgramDirectory::ProgramDirectory(const db::ConnectParams& p) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "velmora-program-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("cannot create a temporary directory");
    path_ = tmpl;
    std::ofstream(path_ + "/" + std::string(db::nomeArquivoIni))
        << "[DATABASE]\nCAMINHO=" << p.database << "\nUSUARIO=" << p.user << "\nSENHA=" << p.password << "\n";
    velmora::overrideExecutablePath(path_ + "/velmora.cgi");
}

ProgramDirectory::~ProgramDirectory() {
    velmora::overrideExecutablePath({});
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace testsupport
