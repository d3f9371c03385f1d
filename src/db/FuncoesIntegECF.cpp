// The process-wide connection, the INI file it is made from, and the
// attachment a persistent process keeps.
#include "db/FuncoesIntegECF.h"

#include "common/exception.h"
#include "common/executable_path.h"
#include "common/ini_file.h"
#include "common/limits.h"
#include "common/text.h"
#include "common/watchdog.h"
#include "common/watched_ini.h"
#include "db/deadline.h"
#include "db/statement.h"
#include "db/transaction.h"

#include <charconv>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace db {

Connection* Conexao = nullptr;

namespace {

// Every connection ConectaBanco made, so that none is closed before exit (or
// before the end of the request, in a persistent process), the call's
// deadline, and what a persistent process keeps between requests.
struct Connections {
    // Got first, so that the watchdog outlives the deadline's alarm.
    velmora::Watchdog& watchdog = velmora::Watchdog::instance();
    // Declared before the connections, so that it outlives them: their
    // detach at exit is bounded too.
    std::optional<Deadline> deadline;
    std::vector<std::unique_ptr<Connection>> made;
    bool keepAttachment = false;
    std::unique_ptr<Connection> kept;
    ConnectParams keptParams;
    velmora::WatchedIni ini;
};

Connections& connections() {
    static Connections all;
    return all;
}

// The kept attachment when it is to the database the INI names and still
// answers; otherwise a new one, kept from now on. Both watched by the call's
// deadline.
Connection& keptAttachment(Connections& c, const ConnectParams& params) {
    if (c.kept && c.keptParams == params) {
        c.deadline->watch(*c.kept);
        if (c.kept->responds()) return *c.kept;
    }
    c.kept.reset();  // detached; one that no longer answers is only let go
    auto fresh = std::make_unique<Connection>();
    c.deadline->open(*fresh, params);
    c.kept = std::move(fresh);
    c.keptParams = params;
    return *c.kept;
}

// TEMPOLIMITE: whole seconds, from 1 to kMaxDatabaseTimeLimitSeconds; the
// default when absent.
std::chrono::seconds timeLimit(const velmora::IniFile& ini, const std::string& iniFileName) {
    const std::string text = ini.readString("DATABASE", "TEMPOLIMITE");
    if (text.empty()) return std::chrono::seconds(velmora::limits::kDatabaseTimeLimitSeconds);
    int seconds = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (ec != std::errc() || end != text.data() + text.size() || seconds < 1 ||
        seconds > velmora::limits::kMaxDatabaseTimeLimitSeconds)
        throw velmora::Exception("TEMPOLIMITE=" + text + " in " + iniFileName +
                                 " is not a number of seconds from 1 to " +
                                 std::to_string(velmora::limits::kMaxDatabaseTimeLimitSeconds));
    return std::chrono::seconds(seconds);
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

namespace {

ConnectParams connectParams(const velmora::IniFile& ini, const std::string& iniFileName) {
    return {ini.readString("DATABASE", "CAMINHO"), ini.readString("DATABASE", "USUARIO"),
            ini.readString("DATABASE", "SENHA"), timeLimit(ini, iniFileName)};
}

}  // namespace

ConnectParams LeParametros(const std::string& iniFileName) {
    return connectParams(velmora::IniFile::load(iniFileName), iniFileName);
}

bool compressionAllowed() {
    try {
        const velmora::IniFile* ini = connections().ini.current(DiretorioAplicacao() + std::string(nomeArquivoIni));
        return ini == nullptr || velmora::trim(ini->readString("HTTP", "COMPRIMIR")) != "0";
    } catch (const std::exception&) {
        return true;  // the call reports an unreadable INI itself
    }
}

void ConectaBanco() {
    Connections& c = connections();
    Conexao = c.made.emplace_back(std::make_unique<Connection>()).get();
    const std::string iniName = DiretorioAplicacao() + std::string(nomeArquivoIni);
    try {
        const velmora::IniFile* ini = c.ini.current(iniName);
        if (ini == nullptr) throw velmora::Exception("Arquivo ini não encontrado no local : " + iniName);
        const ConnectParams params = connectParams(*ini, iniName);
        // The call's time starts with its work on the database.
        c.deadline.emplace(params.timeLimit);
        if (!c.keepAttachment) {
            c.deadline->open(*Conexao, params);
            return;
        }
        Conexao = &keptAttachment(c, params);
        c.made.pop_back();  // the kept attachment serves instead
    } catch (const std::exception& e) {
        throw velmora::Exception(std::string("Impossível conectar ao banco de dados pelo seguinte motivo: ") + "\r" +
                                 e.what());
    }
}

void checkDatabase() {
    ConectaBanco();
    Transaction readOnly(*Conexao, Isolation::ReadOnlyNoWait);
    {
        Statement one(readOnly, "SELECT 1 FROM RDB$DATABASE");
        Cursor row = one.open();
        if (!row.next()) throw DatabaseError("RDB$DATABASE has no row");
    }
    readOnly.commit();
}

void keepAttachmentBetweenRequests() { connections().keepAttachment = true; }

void endRequest() noexcept {
    Connections& c = connections();
    // An attachment aborted at the deadline is closed: it is not kept.
    if (c.kept && c.deadline && c.deadline->failure()) c.kept.reset();
    c.made.clear();
    c.deadline.reset();
    Conexao = nullptr;
}

void detachKeptAttachment() noexcept {
    endRequest();
    Connections& c = connections();
    if (!c.kept) return;
    // A server that stopped answering must not keep a stopping process. (If
    // no deadline can be set, the watchdog's thread failing to start, the
    // detach is merely unbounded.)
    try {
        c.deadline.emplace(std::chrono::seconds(velmora::limits::kStopGraceSeconds));
        c.deadline->watch(*c.kept);
    } catch (...) {}
    c.kept.reset();
    c.deadline.reset();
}

}  // namespace db
