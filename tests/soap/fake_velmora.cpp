#include "fake_velmora.h"

namespace soaptest {

namespace {

using records::ReadRule;

constexpr records::FieldDef kFields[] = {
    {"Codoper", ReadRule::Text}, {"Nome", ReadRule::Text}, {"Historicocliente", ReadRule::Integer},
    {"Limite", ReadRule::Real},  {"Acao", ReadRule::Text},
};

class Servant : public soap::TInvokableClass {};

soap::Operation operation(std::string name, std::vector<std::string> params, soap::ResultKind result,
                          const std::shared_ptr<FakeState>& state) {
    soap::Operation op;
    op.name = name;
    op.paramNames = std::move(params);
    op.result = result;
    if (result == soap::ResultKind::RecordArray) op.recordKind = &kOperatorKind;
    op.invoke = [state, name, result](soap::TInvokableClass&, const soap::Params& p,
                                      records::RecordSink* records) -> soap::CallResult {
        state->lastOperation = name;
        state->lastParams = p;
        if (records && state->records) state->records(*records);
        if (state->answer) return state->answer(name, p);
        return result == soap::ResultKind::Double ? soap::CallResult(12.5) : std::monostate{};
    };
    return op;
}

}  // namespace

const records::RecordKind kOperatorKind{"UClassCadoper", "TRegistroCadoper", "TColCadoper", kFields};

FakeVelmora::FakeVelmora() {
    soap::InterfaceEntry entry;
    entry.name = "IVelmora";
    entry.unit = "VelmoraIntf";
    entry.operations.push_back(
        operation("ImportaOperadores", {"PCodEmpresa", "PEcf"}, soap::ResultKind::RecordArray, state));
    entry.operations.push_back(
        operation("BuscaEstoque", {"PCodEmp", "PCodProd", "PGrade"}, soap::ResultKind::Double, state));
    entry.operations.push_back(
        operation("DeletaIntegECF", {"PCodEmpresa", "PEcf", "PTabela"}, soap::ResultKind::None, state));
    types.addRecordTypes(entry);
    registry.registerInterface(std::move(entry));
    registry.registerInvokableClass({"TVelmora", "IVelmora", [s = state] {
                                         ++s->objectsCreated;
                                         return std::make_unique<Servant>();
                                     }});
}

testsupport::CollectedRecords operators(int count) {
    testsupport::CollectedRecords a(kOperatorKind);
    for (int i = 1; i <= count; ++i) {
        a.addRecord();
        a.setText(0, std::to_string(i));
        a.setText(1, "Operador " + std::to_string(i));
        a.setInteger(2, i);
        a.setReal(3, i * 0.5);
        a.setText(4, "I");
    }
    return a;
}

std::string envelope(std::string_view body) {
    std::string s =
        "<?xml version=\"1.0\"?>\n"
        "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\">\n"
        "  <SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">\n";
    s += body;
    s += "\n  </SOAP-ENV:Body>\n</SOAP-ENV:Envelope>\n";
    return s;
}

}  // namespace soaptest
