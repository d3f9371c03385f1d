// Acknowledgement deletes only what an import marked; the stock query reads
// one CompProd row by name-bound parameters.
#include "service/VelmoraImpl.h"
#include "service_fixture.h"
#include "support/executable_path_override.h"

namespace {

using servicetest::ServiceDatabase;
using Strings = std::vector<std::string>;

class Acknowledgement : public ServiceDatabase {
protected:
    service::TVelmora velmora;
};

TEST_F(Acknowledgement, DeletesExactlyTheRowsTheImportMarked) {
    database.run("insert into Cadoper (Codoper) values ('A');");
    queue("1", "001", "CADOPER", "A", "delivered");
    queue("1", "001", "PRODUTO", "A", "other-table", "01.03.2024", "10:00:00", "X");
    queue("1", "002", "CADOPER", "A", "other-terminal", "01.03.2024", "10:00:00", "X");
    ASSERT_EQ(servicetest::operadores(velmora, "1", "001").size(), 1u);
    queue("1", "001", "CADOPER", "A", "queued-later");

    velmora.DeletaIntegECF("1", "001", "CADOPER");
    EXPECT_EQ(actions("1 = 1"), (Strings{"other-table", "other-terminal", "queued-later"}));
    EXPECT_EQ(column(servicetest::operadores(velmora, "1", "001"), "Acao"), (Strings{"queued-later"}));
}

TEST_F(Acknowledgement, NothingMarkedOrAnotherCaseDeletesNothingAndSucceeds) {
    queue("1", "001", "CADOPER", "A", "marked", "01.03.2024", "10:00:00", "X");
    EXPECT_NO_THROW(velmora.DeletaIntegECF("1", "001", "cadoper"));
    EXPECT_NO_THROW(velmora.DeletaIntegECF("1", "001", "NOSUCH"));
    EXPECT_EQ(actions("1 = 1"), (Strings{"marked"}));
}

TEST_F(Acknowledgement, AFailedDeleteIsWrappedAndRolledBack) {
    database.run(R"sql(
create exception keep_it 'delete refused';
set term ^ ;
create trigger integecf_keep for integecf before delete as
begin
  if (old.chave0 = 'B') then exception keep_it;
end^
set term ; ^
)sql");
    queue("1", "001", "CADOPER", "A", "a", "01.03.2024", "10:00:00", "X");
    queue("1", "001", "CADOPER", "B", "b", "01.03.2024", "10:00:00", "X");
    try {
        velmora.DeletaIntegECF("1", "001", "CADOPER");
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: ", 0), 0u);
    }
    EXPECT_EQ(actions("1 = 1"), (Strings{"a", "b"}));
}

TEST_F(Acknowledgement, AUserWhoMayNotDeleteGetsTheWrappedFaultAndTheRowsStay) {
    queue("1", "001", "CADOPER", "A", "a", "01.03.2024", "10:00:00", "X");
    testsupport::ProgramDirectory asReader(readingUser());
    try {
        velmora.DeletaIntegECF("1", "001", "CADOPER");
        FAIL() << "a user without DELETE rights acknowledged";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: ", 0), 0u)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("no permission for DELETE access to TABLE INTEGECF"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(actions("1 = 1"), (Strings{"a"}));
    // Reading stays allowed.
    EXPECT_DOUBLE_EQ(velmora.BuscaEstoque("1", "P1", "G"), 0);
}

TEST_F(Acknowledgement, StockIsStoredValueNullOrMissingGiveZeroAndParametersBindByName) {
    database.run(R"sql(
insert into CompProd values ('1', 'P1', 'G', 12.5);
insert into CompProd values ('1', 'P2', 'G', null);
)sql");
    EXPECT_DOUBLE_EQ(velmora.BuscaEstoque("1", "P1", "G"), 12.5);
    EXPECT_DOUBLE_EQ(velmora.BuscaEstoque("1", "P2", "G"), 0);
    EXPECT_DOUBLE_EQ(velmora.BuscaEstoque("1", "P3", "G"), 0);
    EXPECT_DOUBLE_EQ(velmora.BuscaEstoque("P1", "1", "G"), 0);  // company and product swapped
}

TEST_F(Acknowledgement, AnUnreachableDatabaseFailsEveryOperationWithTheConnectMessage) {
    database.execute("insert into Cadoper (Codoper) values ('A')");
    const std::string prefix = "Impossível conectar ao banco de dados pelo seguinte motivo: \r";
    velmora::overrideExecutablePath("/nonexistent-velmora-dir/velmora.cgi");
    for (auto call : {+[](service::TVelmora& v) { servicetest::operadores(v, "1", "001"); },
                      +[](service::TVelmora& v) { v.DeletaIntegECF("1", "001", "CADOPER"); },
                      +[](service::TVelmora& v) { v.BuscaEstoque("1", "P1", "G"); }}) {
        try {
            call(velmora);
            FAIL();
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      prefix + "Arquivo ini não encontrado no local : /nonexistent-velmora-dir/caminhoBDIntegECF.ini");
        }
    }
}

}  // namespace
