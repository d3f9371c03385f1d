#include "service/VelmoraImpl.h"
#include "common/limits.h"

#include "db/FuncoesIntegECF.h"
#include "db/connection.h"
#include "db/statement.h"
#include "db/transaction.h"
#include "records/kinds.h"
#include "records/query_frame.h"
#include "service/marking_error.h"
#include "soap/invoke_registry.h"

#include <chrono>
#include <optional>
#include <random>
#include <thread>

namespace service {
namespace {

constexpr std::string_view motivoPrefix = "Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: ";

void pauseBeforeRetry(int attempt) {
    static std::minstd_rand random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const int base = velmora::limits::kRetryPauseBaseMs << attempt;
    std::this_thread::sleep_for(
        std::chrono::milliseconds(base / 2 + static_cast<int>(random() % static_cast<unsigned>(base))));
}

}  // namespace

// Read and mark in one snapshot transaction: the marking sees exactly the
// queue the read saw, so a row queued meanwhile stays unmarked for the next
// import. A rival import that marked the same rows first makes the marking
// fail with an update conflict; the whole import is then tried again.
records::RecordArray TVelmora::importa(const records::RecordKind& kind, std::string_view PCodEmpresa,
                                       std::string_view PEcf) {
    db::ConectaBanco();
    records::RecordArray result(kind);
    for (int attempt = 1;; ++attempt) {
        try {
            db::Transaction(*db::Conexao, db::Isolation::Snapshot).leaveOpen();
            records::CarregaRegistros(*db::Conexao, PCodEmpresa, PEcf, result);
            MarcaIntegECF(PCodEmpresa, PEcf, kind.queueTable);
            db::ConfirmaTransacao();
            return result;
        } catch (const MarkingError& e) {
            // The marking has rolled back already.
            if (!e.updateConflict() || attempt == velmora::limits::kImportAttempts) throw;
        } catch (...) {
            db::DesfazTransacao();
            throw;
        }
        pauseBeforeRetry(attempt);
    }
}

void TVelmora::MarcaIntegECF(std::string_view PCodEmpresa, std::string_view PEcf, std::string_view table) {
    // Preparing belongs in the guard too: a user who may read the queue but
    // not update it fails there.
    try {
        db::Statement statement(
            *db::Conexao,
            "Update integecf set integecf.atualizou = \"X\" where integecf.codempresa = :PCodEmpresa "
            "and integecf.ecf = :PEcf and integecf.tabela = :PTab");
        statement.bind("PCodEmpresa", PCodEmpresa);
        statement.bind("PEcf", PEcf);
        statement.bind("PTab", table);
        db::AbreTransacao();
        statement.execute();
    } catch (const std::exception& e) {
        db::DesfazTransacao();
        const auto* cause = dynamic_cast<const db::DatabaseError*>(&e);
        throw MarkingError(std::string(motivoPrefix) + e.what(), cause ? std::optional(*cause) : std::nullopt);
    }
}

records::RecordArray TVelmora::ImportaProdutos(const std::string& e, const std::string& t) {
    return importa(records::TRegistroProduto, e, t);
}
records::RecordArray TVelmora::ImportaClientes(const std::string& e, const std::string& t) {
    return importa(records::TRegistroCliente, e, t);
}
records::RecordArray TVelmora::ImportaOperadores(const std::string& e, const std::string& t) {
    return importa(records::TRegistroCadoper, e, t);
}
records::RecordArray TVelmora::ImportaUsuarios(const std::string& e, const std::string& t) {
    return importa(records::TRegistroCadusua, e, t);
}
records::RecordArray TVelmora::ImportaVendedores(const std::string& e, const std::string& t) {
    return importa(records::TRegistroVendend, e, t);
}
records::RecordArray TVelmora::ImportaTpOperacao(const std::string& e, const std::string& t) {
    return importa(records::TRegistroCdoperc, e, t);
}
records::RecordArray TVelmora::ImportaFornecedores(const std::string& e, const std::string& t) {
    return importa(records::TRegistroFornece, e, t);
}
records::RecordArray TVelmora::ImportaPedidoC(const std::string& e, const std::string& t) {
    return importa(records::TRegistroPedidoc, e, t);
}
records::RecordArray TVelmora::ImportaPedidoi(const std::string& e, const std::string& t) {
    return importa(records::TRegistroPedidoi, e, t);
}
records::RecordArray TVelmora::ImportaDocurec(const std::string& e, const std::string& t) {
    return importa(records::TRegistroDocurec, e, t);
}
records::RecordArray TVelmora::ImportaMovirec(const std::string& e, const std::string& t) {
    return importa(records::TRegistroMovirec, e, t);
}

void TVelmora::DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf, const std::string& PTabela) {
    db::ConectaBanco();
    try {
        db::Statement statement(
            *db::Conexao,
            "Delete From integecf where integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf "
            "and integecf.tabela = :PTab and integecf.atualizou = \"X\"");
        statement.bind("PCodEmpresa", PCodEmpresa);
        statement.bind("PEcf", PEcf);
        statement.bind("PTab", PTabela);
        db::AbreTransacao();
        statement.execute();
    } catch (const std::exception& e) {
        db::DesfazTransacao();
        throw velmora::Exception(std::string(motivoPrefix) + e.what());
    }
    db::ConfirmaTransacao();
}

double TVelmora::BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) {
    db::ConectaBanco();
    db::Statement statement(*db::Conexao,
                            "Select CompProd.Estoque from CompProd\n"
                            "where CompProd.CodProd = :PCodProd\n"
                            "And CompProd.CodEmpresa = :PCodEmp\n"
                            "And CompProd.CodGrade = :PGrade");
    statement.bind("PCodProd", PCodProd);
    statement.bind("PCodEmp", PCodEmp);
    statement.bind("PGrade", PGrade);
    db::Cursor rows = statement.open();
    // No matching row: 0, the same answer as a stored NULL stock.
    if (!rows.next()) return 0;
    return rows.asReal(rows.findColumn("Estoque"));
}

void registerVelmora() {
    registerIVelmora();
    soap::InvRegistry::instance().registerInvokableClass(
        {"TVelmora", "IVelmora",
         []() -> std::unique_ptr<soap::TInvokableClass> { return std::make_unique<TVelmora>(); }});
}

}  // namespace service
