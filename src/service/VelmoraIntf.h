// IVelmora: the service's SOAP interface, thirteen operations in declared
// order; the table of its eleven imports, which drives their implementation,
// their registration and their tests; and its entry in the interface registry.
#pragma once

#include "records/query_frame.h"
#include "records/record_kind.h"
#include "soap/registries.h"

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

class IVelmora {
public:
    virtual ~IVelmora() = default;

    // Every import: the pending records of the operation's kind for the
    // company and terminal, handed to `result` as they are read (the SOAP
    // layer writes them into the answer's array), their queue rows marked as
    // delivered.
    virtual void importRecords(const ImportOperation& operation, const std::string& PCodEmpresa,
                               const std::string& PEcf, records::RecordSink& result) = 0;
    virtual double BuscaEstoque(const std::string& PCodEmp, const std::string& PCodProd, const std::string& PGrade) = 0;
    virtual void DeletaIntegECF(const std::string& PCodEmpresa, const std::string& PEcf,
                                const std::string& PTabela) = 0;
};

// Enters IVelmora in the interface registry (namespace urn:VelmoraIntf-IVelmora)
// and the record types its imports answer in the type registry.
void registerIVelmora(soap::InvRegistry& registry, soap::RemTypeRegistry& types);

// Enters IVelmora and its implementation TVelmora; called once at start-up.
void registerVelmora(soap::InvRegistry& registry = soap::InvRegistry::instance(),
                     soap::RemTypeRegistry& types = soap::RemTypeRegistry::instance());

}  // namespace service
