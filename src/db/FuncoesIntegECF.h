// The service's database access: the process-wide connection built from
// "caminhoBDIntegECF.ini" beside the program, and the transaction routines
// that work on whichever connection is current.
#pragma once

#include "db/connection.h"

#include <string>
#include <string_view>

namespace db {

// The current connection; unset until the first ConectaBanco. Earlier
// connections stay open (statements bound to them keep working) until exit.
extern Connection* Conexao;

// Makes a new connection current and opens it from the INI file. Throws
// velmora::Exception "Impossível conectar ao banco de dados pelo seguinte
// motivo: " CR + the cause.
void ConectaBanco();

// The directory of the running program, with a trailing "/".
std::string DiretorioAplicacao();

// The text without the characters that stand before its first letter.
std::string LimpaCaminho(std::string_view path);

// The contract's routines on Conexao's current transaction (see
// db/transaction.h for how they share it with a scoped db::Transaction).
// Begins a read-committed transaction, left current, unless one is already.
void AbreTransacao();
// Commits the current transaction, whoever began it.
void ConfirmaTransacao();
// Rolls back the current transaction, if there is one.
void DesfazTransacao();

// The INI file's name and the settings read from it (exposed for tests).
inline constexpr std::string_view nomeArquivoIni = "caminhoBDIntegECF.ini";
ConnectParams LeParametros(const std::string& iniFileName);

}  // namespace db
