// The eleven imports as a terminal sees them: a SOAP call through the real
// dispatcher and service against the demo database, the answer read back with
// libxml2. Field names and order come from the demo schema's columns, not from
// the record kinds, so a misplaced or missing field shows.
#include "demo_service_fixture.h"
#include "support/body_text.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <stdexcept>

namespace {

using namespace servicetest;
using testsupport::bodyText;
using Strings = std::vector<std::string>;

struct Spot {
    std::size_t record;  // 0-based
    const char* field;
    const char* text;
};

struct ImportCase {
    const char* operation;
    const char* table;
    std::size_t records;                 // pending for company 1, terminal 001
    std::size_t texts, reals, integers;  // the kind's fields by type
    const char* actions;                 // Acao of each record, in order
    Strings unfilled;                    // declared, never filled
    std::vector<Spot> spots;
};

// What the demo data queues for company 1, terminal 001: per table one marked
// row first, rows out of order, two rows for one key and one row joining
// nothing (items: one queue row yields the two items of one product).
const ImportCase kImports[] = {
    // clang-format off
    {"ImportaProdutos", "Produto", 5, 93, 68, 5, "AIIAA", {},
     {{1, "Data_ult_ent1", "05.03.2024 30:15"}, {1, "Diasestminimo", "2"}, {1, "Diasestmaximo", "4"},
      {3, "Data_ult_ent1", "30.12.1899 00:00"}, {3, "Descricao", "Arroz & Feijão <Combo>"}}},
    {"ImportaClientes", "Cliente", 5, 80, 4, 11, "IIIAA", {"Teste", "Ats"},
     {{1, "Dt_nascimento", "05.03.1980 00:00"}, {1, "Codclienteecom", "-7"}, {1, "Limitecredito", "1500"}}},
    {"ImportaOperadores", "Cadoper", 5, 14, 0, 1, "IIIAA", {},
     {{0, "Senha", "a&b<c>\"d'"}, {1, "Nome", "Maria da Conceição"}, {2, "Historicocliente", "0"}}},
    {"ImportaUsuarios", "Cadusua", 5, 44, 3, 3, "AIIAA", {"Usapalm"},
     {{1, "Percmaxdescliq", "2.25"}, {1, "Tempoocioso", "600"}, {3, "Codempresa", "2"}}},
    // Sellers go by code; the order of one seller's two rows is the database's.
    {"ImportaVendedores", "Vendend", 5, 38, 1, 1, nullptr, {"Codfid"},
     {{0, "Codvendedor", "001"}, {1, "Codvendedor", "001"}, {2, "Codvendedor", "003"}, {3, "Codvendedor", "003"},
      {4, "Codvendedor", "010"}, {2, "Dataultimavisita", "05.03.2024 30:15"}, {2, "Horaini", "08:00"},
      {4, "Comissao", "0"}}},
    {"ImportaTpOperacao", "Cdoperc", 5, 58, 2, 2, "IIIAA", {},
     {{1, "Comissao", "1,50"}, {1, "Percpiscofins", "9.25"}, {3, "Comissao", ""}}},
    {"ImportaFornecedores", "Fornece", 5, 30, 1, 0, "IIIAA", {},
     {{1, "Comissao", "3.5"}, {2, "Comissao", "0.75"}, {3, "Comissao", "0"}}},
    {"ImportaPedidoC", "Pedidoc", 5, 63, 19, 4, "AIIAA",
     {"Tipopedidoimportado", "Codpedidoimportado", "Tipointegracaovda", "Codintegracaovda", "Codempresapedido"},
     {{1, "Datapedido", "03.02.2010 14:05"}, {1, "Datafatura", "03.02.2010 00:00"}, {1, "Tipopedido", "V "},
      {1, "Turno", "2"}, {1, "Codproj", "-1"}, {3, "Datapedido", "30.12.1899 00:00"}}},
    {"ImportaPedidoi", "Pedidoi", 6, 26, 22, 3, "AIIIAA", {},
     {{0, "Sequencia", "2"}, {0, "Datainclusao", "30.12.1899 00:00"}, {3, "Codgrade", "P"}, {3, "Numnf", ""}}},
    {"ImportaDocurec", "Docurec", 5, 29, 12, 1, "IIIAA", {},
     {{1, "Dt_venda", "03.02.2010 05:09"}, {1, "Dt_vencimento", "10.03.2010 00:00"},
      {2, "Dt_vencimento", "30.12.1899 00:00"}, {1, "Valorvenda", "1234.56"}}},
    {"ImportaMovirec", "Movirec", 5, 31, 3, 3, "IIIAA", {},
     {{1, "Dt_movimento", "03.02.2010 05:09"}, {1, "Dt_vencimento", "10.03.2010 00:00"},
      {1, "Datahora", "03/02/2010 14:05:09"}, {1, "Numord2", "-1"}, {2, "Dt_vencimento", "30.12.1899 00:00"}}},
    // clang-format on
};

class ImportEnvelope : public DemoService {};

bool wholeInteger(const std::string& s) {
    char* end = nullptr;
    std::strtol(s.c_str(), &end, 10);
    return !s.empty() && *end == '\0' && s.find('+') == std::string::npos && s.find('.') == std::string::npos;
}
bool wholeReal(const std::string& s) {
    char* end = nullptr;
    std::strtod(s.c_str(), &end);
    return !s.empty() && *end == '\0' && s.find(',') == std::string::npos;
}

// The expectations above, one for each import of the service's table.
const ImportCase& importCase(std::string_view operation) {
    for (const ImportCase& c : kImports)
        if (c.operation == operation) return c;
    throw std::logic_error("no expectations for " + std::string(operation));
}

TEST_F(ImportEnvelope, EveryImportAnswersAnEncodedArrayOfItsOwnRecords) {
    ASSERT_EQ(std::size(service::kImportOperations), std::size(kImports));
    for (const service::ImportOperation& operation : service::kImportOperations) {
        const ImportCase& c = importCase(operation.name);
        SCOPED_TRACE(c.operation);
        const std::string record = std::string("TRegistro") + c.table;
        const std::string unitNs = std::string("urn:UClass") + c.table;
        Strings fields = columnsAsFields(c.table);
        fields.push_back("Acao");

        const soap::HttpAnswer answer = import(c.operation);
        EXPECT_EQ(answer.status, 200);
        EXPECT_EQ(answer.contentType, "text/xml");
        const ParsedAnswer xml(bodyText(answer.body));
        ASSERT_TRUE(xml.wellFormed()) << bodyText(answer.body);
        const xmlNode* response = xml.response();
        ASSERT_NE(response, nullptr) << bodyText(answer.body);
        EXPECT_EQ(name(response), std::string(c.operation) + "Response");
        EXPECT_EQ(nsUri(response), kInterfaceNs);
        EXPECT_EQ(nsPrefix(response), "NS1");
        EXPECT_EQ(declared(response, "NS2"), unitNs);

        const auto parts = children(response);
        ASSERT_EQ(parts.size(), 1 + c.records);
        const xmlNode* ret = parts[0];
        EXPECT_EQ(name(ret), "return");
        EXPECT_EQ(nsUri(ret), "");
        EXPECT_EQ(attribute(ret, "type", kXsi), "SOAP-ENC:Array");
        EXPECT_EQ(attribute(ret, "arrayType", kEnc), "NS2:" + record + "[" + std::to_string(c.records) + "]");
        const auto items = children(ret);
        ASSERT_EQ(items.size(), c.records);

        std::string actions;
        for (std::size_t i = 0; i < c.records; ++i) {
            SCOPED_TRACE("record " + std::to_string(i));
            const std::string id = std::to_string(i + 1);
            EXPECT_EQ(name(items[i]), "item");
            EXPECT_EQ(attribute(items[i], "href"), "#" + id);
            EXPECT_EQ(attribute(items[i], "type", kXsi), "<absent>");

            const xmlNode* rec = parts[1 + i];
            EXPECT_EQ(name(rec), record);
            EXPECT_EQ(nsUri(rec), unitNs);
            EXPECT_EQ(nsPrefix(rec), "NS2");
            EXPECT_EQ(attribute(rec, "id"), id);
            EXPECT_EQ(attribute(rec, "type", kXsi), "NS2:" + record);

            const auto values = children(rec);
            Strings names;
            std::size_t texts = 0, reals = 0, integers = 0;
            for (const xmlNode* v : values) {
                names.push_back(name(v));
                EXPECT_EQ(nsUri(v), "") << name(v);
                const std::string type = attribute(v, "type", kXsi);
                const std::string text = content(v);
                if (type == "xsd:string") {
                    ++texts;
                } else if (type == "xsd:int") {
                    ++integers;
                    EXPECT_TRUE(wholeInteger(text)) << name(v) << "=" << text;
                } else if (type == "xsd:double") {
                    ++reals;
                    EXPECT_TRUE(wholeReal(text)) << name(v) << "=" << text;
                } else {
                    ADD_FAILURE() << name(v) << " typed " << type;
                }
            }
            EXPECT_EQ(names, fields);
            EXPECT_EQ(texts, c.texts);
            EXPECT_EQ(reals, c.reals);
            EXPECT_EQ(integers, c.integers);
            for (const xmlNode* v : values) {
                if (std::find(c.unfilled.begin(), c.unfilled.end(), name(v)) != c.unfilled.end()) {
                    EXPECT_EQ(content(v), "") << name(v) << " carries what the table holds";
                }
            }
            if (!values.empty()) actions += content(values.back());
        }
        if (c.actions) {
            EXPECT_EQ(actions, c.actions);
        }

        for (const Spot& s : c.spots) {
            ASSERT_LT(s.record, c.records);
            std::string got = "<no field>";
            for (const xmlNode* v : children(parts[1 + s.record]))
                if (name(v) == s.field) got = content(v);
            EXPECT_EQ(got, s.text) << "record " << s.record << " " << s.field;
        }
    }
}

}  // namespace
