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

// A queue statement for one company, terminal and table.
db::Statement queueStatement(db::Transaction& transaction, std::string_view sql, std::string_view PCodEmpresa,
                             std::string_view PEcf, std::string_view table) {
    db::Statement statement(transaction, sql);
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
            records::CarregaRegistros(snapshot, *operation.kind, PCodEmpresa, PEcf, result);
            MarcaIntegECF(snapshot, PCodEmpresa, PEcf, operation.kind->queueTable);
            snapshot.commit();
            return;
        } catch (const MarkingError& e) {
            // The marking rolled the snapshot back; its scope leaves it alone.
            if (!e.updateConflict() || attempt == velmora::limits::kImportAttempts) throw;
        }
        pauseBeforeRetry(attempt);
    }
}

void TVelmora::MarcaIntegECF(db::Transaction& transaction, std::string_view PCodEmpresa, std::string_view PEcf,
                             std::string_view table) {
    // Preparing belongs in the guard too: a user who may read the queue but
    // not update it fails there.
    try {
        db::Statement marking = queueStatement(transaction, kMarkDelivered, PCodEmpresa, PEcf, table);
        marking.execute();
    } catch (const std::exception& e) {
        // At once: the rows it holds are let go before a retry's pause.
        if (transaction.isActive()) transaction.rollback();
        const auto* cause = dynamic_cast<const db::DatabaseError*>(&e);
        throw MarkingError(std::string(kQueueFault) + e.what(), cause ? std::optional(*cause) : std::nullopt);
    }
}

void TVelmora::DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf, const std::string& PTabela) {
    db::ConectaBanco();
    std::optional<db::Transaction> transaction;  // rolled back on the way out unless committed
    try {
        // Read committed, waiting at most kLockTimeoutSeconds for a row an
        // import holds.
        transaction.emplace(*db::Conexao, db::Isolation::ReadCommitted);
        queueStatement(*transaction, kDeleteAcknowledged, PCodEmpresa, PEcf, PTabela).execute();
    } catch (const std::exception& e) {
        throw velmora::Exception(std::string(kQueueFault) + e.what());
    }
    transaction->commit();
}

double TVelmora::BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) {
    db::ConectaBanco();
    db::Transaction reading(*db::Conexao, db::Isolation::ReadOnly);
    double stock = 0;  // no matching row: 0, the same answer as a stored NULL stock
    {
        db::Statement statement(reading,
                                "Select CompProd.Estoque from CompProd\n"
                                "where CompProd.CodProd = :PCodProd\n"
                                "And CompProd.CodEmpresa = :PCodEmp\n"
                                "And CompProd.CodGrade = :PGrade");
        statement.bind("PCodProd", PCodProd);
        statement.bind("PCodEmp", PCodEmp);
        statement.bind("PGrade", PGrade);
        db::Cursor rows = statement.open();
        if (rows.next()) stock = rows.asReal(rows.findColumn("Estoque"));
    }
    reading.commit();
    return stock;
}

void registerVelmora(soap::InvRegistry& registry, soap::RemTypeRegistry& types) {
    registerIVelmora(registry, types);
    registry.registerInvokableClass({"TVelmora", "IVelmora", []() -> std::unique_ptr<soap::TInvokableClass> {
                                         return std::make_unique<TVelmora>();
                                     }});
}

}  // namespace service
