// The service's database access: the process-wide connection built from
// "caminhoBDIntegECF.ini" beside the program, and the attachment a
// persistent process keeps from one request to the next.
#pragma once

#include "db/connection.h"

#include <string>
#include <string_view>

namespace db {

// The current connection; unset until the first ConectaBanco. Earlier
// connections stay open (statements bound to them keep working) until exit,
// or in a persistent process until endRequest().
extern Connection* Conexao;

// Makes a new connection current and opens it from the INI file (in a
// persistent process: the kept attachment, see below). It starts the call's
// deadline (the INI's TEMPOLIMITE, see db/deadline.h), which bounds the
// attach and the rest of the call's database work.
// Throws velmora::Exception "Impossível conectar ao banco de dados pelo
// seguinte motivo: " CR + the cause; the connection made current then is
// unopened.
void ConectaBanco();

// One cheap round trip to the database on the service's own way there, for
// the health path: ConectaBanco, then a one-row read in a read-only
// transaction that waits on no lock. Marks nothing. Throws what ConectaBanco
// or the read throws.
void checkDatabase();

// --- A persistent process (the FastCGI front end)

// From now on ConectaBanco keeps the attachment it opens and makes it current
// again on later calls while the INI's contents stay the same. The file is
// still looked at on every call and read again when its device, inode, size
// or modification time changed. A kept attachment that no longer answers is
// opened anew before the request uses it. And a SIGTERM or SIGINT no longer
// makes the client library shut its attachments down: the process ends on
// its own, after the request in flight.
void keepAttachmentBetweenRequests();

// Ends a request of a persistent process: an attachment aborted at the
// deadline is not kept, the connections made for the request besides the
// kept attachment are closed, the deadline ends, and Conexao is unset, as in
// a fresh process. (The request's transactions ended with their scopes.)
void endRequest() noexcept;

// Detaches the kept attachment, for a persistent process on its way out: the
// client library's exit-time cleanup must not find it still attached. A
// server that does not answer gets kStopGraceSeconds, then the attachment is
// aborted.
void detachKeptAttachment() noexcept;

// The directory of the running program, with a trailing "/".
std::string DiretorioAplicacao();

// The text without the characters that stand before its first letter.
std::string LimpaCaminho(std::string_view path);

// The INI file's name and the settings read from it (exposed for tests).
inline constexpr std::string_view nomeArquivoIni = "caminhoBDIntegECF.ini";
ConnectParams LeParametros(const std::string& iniFileName);
// Whether answers may be compressed for clients that take gzip: yes unless
// the INI beside the program says [HTTP] COMPRIMIR=0 (an INI that cannot be
// read leaves it on; the call then fails on its own account).
bool compressionAllowed();

}  // namespace db
