// TVelmora: the import frame with its marking and retries, the
// acknowledgement that deletes delivered queue rows, and the stock query.
#include "service/VelmoraImpl.h"

#include "common/limits.h"
#include "db/FuncoesIntegECF.h"
#include "db/statement.h"
#include "db/transaction.h"
#include "records/query_frame.h"
#include "soap/registries.h"

#include <chrono>
#include <random>
#include <thread>

namespace service {
namespace {

// What a terminal reads when marking or deleting its queue rows fails.
constexpr std::string_view kQueueFault = "Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: ";

// Sent exactly as written: double-quoted constants are strings (client dialect 1).
constexpr std::string_view kMarkDelivered =
    "Update integecf set integecf.atualizou = \"X\" where integecf.codempresa = :PCodEmpresa "
    "and integecf.ecf = :PEcf and integecf.tabela = :PTab";
constexpr std::string_view kDeleteAcknowledged =
    "Delete From integecf where integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf "
    "and integecf.tabela = :PTab and integecf.atualizou = \"X\"";

// A queue statement prepared on Conexao for one company, terminal and table.
db::Statement queueStatement(std::string_view sql, std::string_view PCodEmpresa, std::string_view PEcf,
                             std::string_view table) {
    db::Statement statement(*db::Conexao, sql);
    statement.bind("PCodEmpresa", PCodEmpresa);
    statement.bind("PEcf", PEcf);
    statement.bind("PTab", table);
    return statement;
}

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
void TVelmora::importRecords(const ImportOperation& operation, const std::string& PCodEmpresa, const std::string& PEcf,
                             records::RecordSink& result) {
    db::ConectaBanco();
    for (int attempt = 1;; ++attempt) {
        try {
            // Each attempt hands the records on afresh (the frame clears the
            // sink); nothing goes out before the commit.
            db::Transaction snapshot(*db::Conexao, db::Isolation::Snapshot);
            records::CarregaRegistros(*db::Conexao, *operation.kind, PCodEmpresa, PEcf, result);
            MarcaIntegECF(PCodEmpresa, PEcf, operation.kind->queueTable);
            snapshot.commit();
            return;
        } catch (const MarkingError& e) {
            // The marking rolled the snapshot back; its scope leaves it alone.
            if (!e.updateConflict() || attempt == velmora::limits::kImportAttempts) throw;
        }
        pauseBeforeRetry(attempt);
    }
}

void TVelmora::MarcaIntegECF(std::string_view PCodEmpresa, std::string_view PEcf, std::string_view table) {
    // Preparing belongs in the guard too: a user who may read the queue but
    // not update it fails there.
    try {
        db::Statement marking = queueStatement(kMarkDelivered, PCodEmpresa, PEcf, table);
        db::AbreTransacao();
        marking.execute();
    } catch (const std::exception& e) {
        db::DesfazTransacao();
        const auto* cause = dynamic_cast<const db::DatabaseError*>(&e);
        throw MarkingError(std::string(kQueueFault) + e.what(), cause ? std::optional(*cause) : std::nullopt);
    }
}

void TVelmora::DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf, const std::string& PTabela) {
    db::ConectaBanco();
    std::optional<db::Transaction> transaction;  // rolled back on the way out unless committed
    try {
        db::Statement deletion = queueStatement(kDeleteAcknowledged, PCodEmpresa, PEcf, PTabela);
        // Read committed, waiting at most kLockTimeoutSeconds for a row an
        // import holds.
        transaction.emplace(*db::Conexao, db::Isolation::ReadCommitted);
        deletion.execute();
    } catch (const std::exception& e) {
        throw velmora::Exception(std::string(kQueueFault) + e.what());
    }
    transaction->commit();
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

void registerVelmora(soap::InvRegistry& registry, soap::RemTypeRegistry& types) {
    registerIVelmora(registry, types);
    registry.registerInvokableClass({"TVelmora", "IVelmora", []() -> std::unique_ptr<soap::TInvokableClass> {
                                         return std::make_unique<TVelmora>();
                                     }});
}

}  // namespace service
