// IVelmora: the service's SOAP interface, thirteen operations in declared
// order; the table of its eleven imports, which drives their implementation,
// their registration and their tests; and its entry in the interface registry.
#pragma once

#include "records/record_array.h"
#include "records/record_kind.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace service {

// An import: the operation's name and the kind of records it delivers.
struct ImportOperation {
    std::string_view name;
    const records::RecordKind* kind;
};

// In declared order; BuscaEstoque and DeletaIntegECF follow them.
inline constexpr ImportOperation kImportOperations[] = {
    {"ImportaProdutos", &records::TRegistroProduto},     {"ImportaClientes", &records::TRegistroCliente},
    {"ImportaOperadores", &records::TRegistroCadoper},   {"ImportaUsuarios", &records::TRegistroCadusua},
    {"ImportaVendedores", &records::TRegistroVendend},   {"ImportaTpOperacao", &records::TRegistroCdoperc},
    {"ImportaFornecedores", &records::TRegistroFornece}, {"ImportaPedidoC", &records::TRegistroPedidoc},
    {"ImportaPedidoi", &records::TRegistroPedidoi},      {"ImportaDocurec", &records::TRegistroDocurec},
    {"ImportaMovirec", &records::TRegistroMovirec},
};

// The table's row of an operation; a name not in it does not compile.
consteval const ImportOperation& importOperation(std::string_view name) {
    for (const ImportOperation& operation : kImportOperations)
        if (operation.name == name) return operation;
    throw std::logic_error("not an import");
}

class IVelmora {
public:
    virtual ~IVelmora() = default;

    // Every import: the pending records of the operation's kind for the
    // company and terminal, their queue rows marked as delivered.
    virtual records::RecordArray importRecords(const ImportOperation& operation, const std::string& PCodEmpresa,
                                               const std::string& PEcf) = 0;
    virtual double BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) = 0;
    virtual void DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf,
                                const std::string& PTabela) = 0;

    // The contract's imports by name.
    records::RecordArray ImportaProdutos(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaProdutos"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaClientes(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaClientes"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaOperadores(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaOperadores"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaUsuarios(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaUsuarios"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaVendedores(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaVendedores"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaTpOperacao(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaTpOperacao"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaFornecedores(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaFornecedores"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaPedidoC(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaPedidoC"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaPedidoi(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaPedidoi"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaDocurec(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaDocurec"), PCodEmpresa, PEcf);
    }
    records::RecordArray ImportaMovirec(const std::string& PCodEmpresa, const std::string& PEcf) {
        return importRecords(importOperation("ImportaMovirec"), PCodEmpresa, PEcf);
    }
};

// Enters IVelmora in the interface registry (namespace urn:VelmoraIntf-IVelmora).
void registerIVelmora();

// Enters IVelmora and its implementation TVelmora; called once at start-up.
void registerVelmora();

}  // namespace service
