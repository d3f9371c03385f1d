// TVelmora: the implementation of IVelmora. Every import follows one frame:
// connect, read the pending records and mark their queue rows, all in one
// snapshot transaction so that nothing is marked that was not delivered.
#pragma once

#include "common/exception.h"
#include "db/transaction.h"
#include "service/VelmoraIntf.h"
#include "soap/registries.h"

#include <optional>
#include <string>
#include <string_view>

namespace service {

// The failure of a marking, rolled back and worded for the terminal. It
// keeps the database's error that caused it (code, SQLSTATE, and whether a
// rival transaction got there first, so the import can retry).
class MarkingError : public velmora::Exception {
public:
    MarkingError(const std::string& message, std::optional<db::DatabaseError> cause)
        : velmora::Exception(message), cause_(std::move(cause)) {}
    // Empty when the failure did not come from the database.
    const std::optional<db::DatabaseError>& cause() const noexcept { return cause_; }
    bool updateConflict() const noexcept { return cause_ && cause_->updateConflict(); }

private:
    std::optional<db::DatabaseError> cause_;
};

class TVelmora : public soap::TInvokableClass, public IVelmora {
public:
    void importRecords(const ImportOperation& operation, const std::string& PCodEmpresa, const std::string& PEcf,
                       records::RecordSink& result) override;
    double BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) override;
    void DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf, const std::string& PTabela) override;

    // Marks every queue row of the company, terminal and table as delivered,
    // in `transaction` (the import's). On failure it rolls that transaction
    // back and throws MarkingError. Not part of IVelmora.
    void MarcaIntegECF(db::Transaction& transaction, std::string_view PCodEmpresa, std::string_view PEcf,
                       std::string_view table);
};

}  // namespace service
