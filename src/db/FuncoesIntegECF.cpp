// The process-wide connection, the INI file it is made from, and the
// contract's transaction routines over db::Transaction.
#include "db/FuncoesIntegECF.h"

#include "common/exception.h"
#include "common/executable_path.h"
#include "common/ini_file.h"
#include "common/text.h"
#include "db/transaction.h"

#include <memory>
#include <vector>

#include <sys/stat.h>

namespace db {

Connection* Conexao = nullptr;

namespace {

// Owns every connection made by the process, so that none is closed before exit.
std::vector<std::unique_ptr<Connection>>& connections() {
    static std::vector<std::unique_ptr<Connection>> all;
    return all;
}

// Windows-1252 letters, by code point: ASCII letters, the Latin-1 letters and
// the few letters in 0x80-0x9F (ƒ Š Œ Ž š œ ž Ÿ), ª µ º.
bool isLetter(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;
    switch (c) {
    case 0xAA:
    case 0xB5:
    case 0xBA:
    case 0x0192:
    case 0x0160:
    case 0x0152:
    case 0x017D:
    case 0x0161:
    case 0x0153:
    case 0x017E:
    case 0x0178: return true;
    default: return false;
    }
}

}  // namespace

std::string LimpaCaminho(std::string_view path) {
    for (std::size_t i = 0; i < path.size();) {
        const velmora::Utf8Char c = velmora::decodeUtf8(path, i, velmora::Utf8Errors::AsBytes);
        if (isLetter(c.codePoint)) return std::string(path.substr(i));
        i += c.length;
    }
    return {};
}

std::string DiretorioAplicacao() {
    const std::string exe = velmora::executablePath();
    const std::size_t slash = exe.rfind('/');
    // "/prog" keeps its root "/"; "/dir/prog" gives "/dir".
    std::string dir = slash == std::string::npos ? std::string{} : exe.substr(0, slash == 0 ? 1 : slash);
    if (dir.empty() || dir.back() != '/') dir.push_back('/');
    // An absolute directory stays absolute: cleaning it would drop the root.
    return dir.front() == '/' ? dir : LimpaCaminho(dir);
}

ConnectParams LeParametros(const std::string& iniFileName) {
    const velmora::IniFile ini = velmora::IniFile::load(iniFileName);
    return {ini.readString("DATABASE", "CAMINHO"), ini.readString("DATABASE", "USUARIO"),
            ini.readString("DATABASE", "SENHA")};
}

void ConectaBanco() {
    connections().push_back(std::make_unique<Connection>());
    Conexao = connections().back().get();
    const std::string iniName = DiretorioAplicacao() + std::string(nomeArquivoIni);
    try {
        struct stat st;
        if (::stat(iniName.c_str(), &st) != 0)
            throw velmora::Exception("Arquivo ini não encontrado no local : " + iniName);
        Conexao->open(LeParametros(iniName));
    } catch (const std::exception& e) {
        throw velmora::Exception(std::string("Impossível conectar ao banco de dados pelo seguinte motivo: ") + "\r" +
                                 e.what());
    }
}

void AbreTransacao() {
    if (Conexao == nullptr) throw velmora::Exception("O Sistema Não conseguiu abrir a transação");
    if (!Conexao->inTransaction()) Transaction(*Conexao, Isolation::ReadCommitted).leaveOpen();
    if (!Conexao->inTransaction()) throw velmora::Exception("O Sistema Não conseguiu abrir a transação");
}

void ConfirmaTransacao() {
    if (Conexao == nullptr) throw velmora::Exception("No database connection");
    commitCurrent(*Conexao);
}

void DesfazTransacao() {
    if (Conexao != nullptr && Conexao->inTransaction()) rollbackCurrent(*Conexao);
}

}  // namespace db
