// A real database for the service's operations, with the INI file that
// ConectaBanco reads written beside a stand-in program directory.
#pragma once

#include "db/FuncoesIntegECF.h"
#include "db/statement.h"
#include "service/VelmoraImpl.h"
#include "support/collected_records.h"
#include "support/program_directory.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace servicetest {

// Queue rows carry a unique action text so a test can tell each one apart.
inline constexpr const char* kQueueSchema = R"sql(
create table integecf (
  id integer not null primary key,
  codempresa varchar(10), ecf varchar(10), tabela varchar(20),
  chave0 varchar(30), chave1 varchar(30), chave2 varchar(30),
  chave3 varchar(30), chave4 varchar(30), chave5 varchar(30),
  acao varchar(20), dataatual date, horaatual varchar(8), atualizou char(1));
create generator gen_integecf;
set term ^ ;
create trigger integecf_id for integecf before insert as
begin
  if (new.id is null) then new.id = gen_id(gen_integecf, 1);
end^
set term ; ^
create table Cadoper (
  Codoper varchar(10) not null primary key, Nome varchar(40), Senha char(8),
  Sangria char(1), Cancelaitem char(1), Cancelavenda char(1), Leiturax char(1),
  Leituraz char(1), Leituramemoria char(1), Aberturagaveta char(1), Cancelaatual char(1),
  Usuario varchar(20), Historicocliente double precision, Liquidadocurec varchar(1));
create table CompProd (
  CodEmpresa varchar(10), CodProd varchar(20), CodGrade varchar(10), Estoque numeric(15,3));
)sql";

// ImportaOperadores as the SOAP layer calls it (its row of the imports'
// table), its records collected.
inline testsupport::CollectedRecords operadores(service::TVelmora& velmora, const std::string& PCodEmpresa,
                                                const std::string& PEcf) {
    const auto& operation =
        *std::ranges::find(service::kImportOperations, "ImportaOperadores", &service::ImportOperation::name);
    testsupport::CollectedRecords records(*operation.kind);
    velmora.importRecords(operation, PCodEmpresa, PEcf, records);
    return records;
}

class ServiceDatabase : public ::testing::Test {
protected:
    void SetUp() override { programDirectory_.emplace(database.params()); }
    void TearDown() override { programDirectory_.reset(); }

    // Queues a change as the other program would, committed at once.
    void queue(const std::string& empresa, const std::string& ecf, const std::string& tabela, const std::string& chave0,
               const std::string& acao, const std::string& data = "01.03.2024", const std::string& hora = "10:00:00",
               const std::string& atualizou = "") {
        database.execute(
            "insert into integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou) "
            "values ('" +
            empresa + "', '" + ecf + "', '" + tabela + "', '" + chave0 + "', '" + acao + "', '" + data + "', '" + hora +
            "', " + (atualizou.empty() ? "null" : "'" + atualizou + "'") + ")");
    }

    // The action texts of the queue rows that carry (or lack) the mark.
    std::vector<std::string> actions(const std::string& where) {
        db::Connection c;
        c.open(database.params());
        db::Transaction reading(c, db::Isolation::ReadOnly);
        db::Statement s(reading, "select acao from integecf where " + where + " order by id");
        db::Cursor r = s.open();
        std::vector<std::string> out;
        while (r.next()) out.push_back(r.text(0));
        return out;
    }

    // A user who may read the queue, the operators and the stock but change
    // nothing (through a server, the user is created first).
    db::ConnectParams readingUser() {
        if (testsupport::firebirdServerPort()) database.execute("create or alter user LEITOR password 'leitor'");
        database.run(
            "grant select on integecf to LEITOR; grant select on Cadoper to LEITOR;"
            "grant select on CompProd to LEITOR;");
        db::ConnectParams p = database.params();
        p.user = "LEITOR";
        p.password = "leitor";
        return p;
    }

    static std::vector<std::string> column(const testsupport::CollectedRecords& a, std::string_view field) {
        return a.texts(field);
    }

    testsupport::TestDatabase database{kQueueSchema};

private:
    std::optional<testsupport::ProgramDirectory> programDirectory_;
};

}  // namespace servicetest
