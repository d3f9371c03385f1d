// Fills a database made from demo/schema.sql with N products, every one of
// the Produto columns set the way a shop's registration data looks (accented
// descriptions, fiscal messages, prices, dates, a few empty texts), one
// PRODUTO queue row each for the benchmark's company and terminal, and one
// stock row each.
//
//   bench_generate LOCATION N
//
//   bench_generate LOCATION N shop
//
// The first form draws every value at random (the bulk benchmarks' data:
// their md5s depend on it). The second fills what a shop's registration
// really varies (descriptions, references, prices, costs, invoice numbers)
// and leaves the rest at the few values a shop's system uses (its tax rates,
// its suppliers and groups, zero where a field is unused), as a real
// catalogue does: what a compressed answer of real data looks like.
//
// The values come from a fixed seed: the first products of every database
// are the same, whatever N.
#include "dataset.h"
#include "fb_raw.h"

#include "common/exception.h"
#include "common/win1252.h"
#include "db/connection.h"
#include "records/record_kind.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace Firebird;

template <std::size_t N>
std::string_view pick(std::mt19937_64& rng, const std::array<std::string_view, N>& words) {
    return words[rng() % N];
}

constexpr std::array<std::string_view, 24> kNouns = {
    "ARROZ TIPO 1",       "FEIJÃO CARIOCA",          "AÇÚCAR CRISTAL",    "CAFÉ TORRADO E MOÍDO", "LEITE UHT INTEGRAL",
    "PÃO DE FORMA",       "MACARRÃO ESPAGUETE",      "ÓLEO DE SOJA",      "SABÃO EM PÓ",          "DETERGENTE LÍQUIDO",
    "BISCOITO RECHEADO",  "CHOCOLATE AO LEITE",      "REFRIGERANTE COLA", "CERVEJA PILSEN",       "ÁGUA MINERAL S/ GÁS",
    "FARINHA DE TRIGO",   "MARGARINA C/ SAL",        "SALSICHA HOT DOG",  "QUEIJO MUÇARELA",      "PRESUNTO FATIADO",
    "ESPONJA DUPLA FACE", "PAPEL HIGIÊNICO F.DUPLA", "CREME DENTAL",      "AMACIANTE CONCENTRADO"};
constexpr std::array<std::string_view, 16> kBrands = {
    "TIO JOÃO", "CAMIL", "NESTLÉ", "P&G",   "YPÊ",     "QUALY",   "PIRACANJUBA", "M&M'S",
    "SADIA",    "SEARA", "PILÃO",  "UNIÃO", "BOMBRIL", "COLGATE", "OMO",         "\"NOSSA MARCA\""};
constexpr std::array<std::string_view, 10> kSizes = {"1KG",   "5KG",  "500G", "2L",    "350ML",
                                                     "12X1L", "200G", "90G",  "4X60M", "1,5L"};
constexpr std::array<std::string_view, 6> kMessages = {
    "ICMS RECOLHIDO POR SUBSTITUIÇÃO TRIBUTÁRIA CONFORME ART. 313 DO RICMS/SP",
    "ISENTO DE ICMS CONFORME DECRETO Nº 45.490/2000, ANEXO I",
    "REDUÇÃO DA BASE DE CÁLCULO EM 33,33% - CESTA BÁSICA",
    "",
    "",
    ""};
constexpr std::array<std::string_view, 4> kNotes = {
    "Produto sujeito a controle de validade; armazenar em local seco & arejado, longe da luz solar. "
    "Não contém glúten. Pode conter traços de leite, soja e derivados <ver rótulo>.",
    "Reposição semanal pelo fornecedor. Conferir lote e validade no recebimento.", "", ""};
constexpr std::array<std::string_view, 5> kTaxCodes = {"000", "010", "020", "040", "060"};
constexpr std::array<std::string_view, 5> kUnits = {"UN", "KG", "CX", "PCT", "LT"};
constexpr std::array<std::string_view, 4> kCfops = {"5102", "5405", "6102", "6404"};
constexpr std::array<std::string_view, 4> kPriceNames = {"VAREJO", "ATACADO", "PROMOÇÃO", "FUNCIONÁRIO"};

bool has(std::string_view name, std::string_view part) { return name.find(part) != std::string_view::npos; }

std::string digits(std::mt19937_64& rng, std::size_t n) {
    std::string s(n, '0');
    for (char& c : s) c = static_cast<char>('0' + rng() % 10);
    return s;
}

// A text for column `name` of declared length `length`, as UTF-8.
std::string textFor(std::string_view name, unsigned length, long number, std::mt19937_64& rng) {
    if (name == "Codprod") return bench::dataset::productCode(number);
    if (length == 1) return rng() % 4 ? "S" : "N";
    if (name == "Tipoprod") return rng() % 3 ? "00" : "04";
    if (name == "Descricao" || name == "Descricao2") {
        std::string d(pick(rng, kNouns));
        d += ' ';
        d += pick(rng, kBrands);
        d += ' ';
        d += pick(rng, kSizes);
        return name == "Descricao" ? d : d.substr(0, 29);
    }
    if (name == "Descricao3")
        return "COD. " + bench::dataset::productCode(number) + " LINHA " + std::to_string(number % 97);
    if (has(name, "Descricaopreco")) return std::string(pick(rng, kPriceNames));
    if (has(name, "Mensagem")) return std::string(pick(rng, kMessages));
    if (name == "Observacao") return std::string(pick(rng, kNotes));
    if (has(name, "Codtribut")) return std::string(pick(rng, kTaxCodes));
    if (has(name, "Unidade") || name == "Embalagem") return std::string(pick(rng, kUnits));
    if (has(name, "Cfop")) return std::string(pick(rng, kCfops));
    if (name == "Referencia" || name == "Reffabricante") return "REF-" + digits(rng, 8);
    if (has(name, "Campolivre")) return rng() % 3 ? std::string() : "LIVRE " + digits(rng, 4);
    if (name == "Codprodbaixa" || name == "Codprodpai" || name == "Codprodproducao")
        return rng() % 4 ? std::string() : bench::dataset::productCode(1 + static_cast<long>(rng() % 1000));
    if (name == "Codclasfis") return digits(rng, 4) + "." + digits(rng, 2) + "." + digits(rng, 2);
    // Codes of groups, suppliers, invoices and the like.
    return digits(rng, std::min<unsigned>(length, 2 + static_cast<unsigned>(rng() % 5)));
}

double realFor(std::string_view name, std::mt19937_64& rng) {
    const double r = static_cast<double>(rng() % 100000) / 100000.0;
    if (has(name, "Aliq") || has(name, "Perc") || has(name, "Base") || has(name, "Lucro") || has(name, "Comissao") ||
        has(name, "Redutor") || has(name, "Desc"))
        return std::round(r * 9000) / 100;  // 0 to 90 %
    if (has(name, "Pr") || has(name, "Preco") || has(name, "Custo") || has(name, "Vlr") || has(name, "Valor") ||
        name == "Sugestao" || name == "Dvv")
        return std::round((0.5 + r * 500) * 100) / 100;
    if (has(name, "Dias")) return static_cast<double>(7 + rng() % 60);
    if (has(name, "Fator") || name == "Multiplo") return static_cast<double>(1 + rng() % 12);
    if (name == "Peso") return std::round(r * 30000) / 1000;
    return std::round(r * 100000) / 100;  // quantities
}

// --- A shop's catalogue: few distinct values where a shop has few.

constexpr std::array<double, 5> kTaxRates = {0, 7, 12, 18, 25};
constexpr std::array<double, 4> kMargins = {0, 30, 40, 50};

std::string smallCode(std::mt19937_64& rng, unsigned kinds) { return std::to_string(1 + rng() % kinds); }

std::string shopText(std::string_view name, unsigned length, long number, std::mt19937_64& rng) {
    if (name == "Codprod" || has(name, "Descricao") || name == "Referencia" || name == "Reffabricante" ||
        has(name, "Nota_ult") || has(name, "Mensagem") || has(name, "Codtribut") || has(name, "Unidade") ||
        name == "Embalagem" || has(name, "Cfop") || name == "Tipoprod")
        return textFor(name, length, number, rng);
    if (length == 1) return name == "Ativo" ? "S" : "N";
    if (name == "Codclasfis") return "2106.90." + std::to_string(10 + rng() % 40);
    if (name == "Codgrupo" || name == "Codsubgrupo" || name == "Codfamilia") return smallCode(rng, 30);
    if (has(name, "Fornec")) return smallCode(rng, 60);
    if (name == "Observacao") return rng() % 10 ? std::string() : std::string(kNotes[1]);
    return std::string();  // the codes a shop leaves unused
}

double shopReal(std::string_view name, std::mt19937_64& rng) {
    const bool firstEntry = name.ends_with("1") && !name.starts_with("Perc");
    if (name == "Preco" || name == "Sugestao" || name == "Dvv" || (firstEntry && has(name, "Pr_ult")))
        return realFor(name, rng);
    if (firstEntry && has(name, "Quant")) return static_cast<double>(12 * (1 + rng() % 20));
    if (has(name, "Aliqicms") || name == "Aliqicmspdv") return kTaxRates[rng() % kTaxRates.size()];
    if (has(name, "Baseicms")) return 100;
    if (name == "Lucro") return kMargins[rng() % kMargins.size()];
    if (has(name, "Fator") || name == "Multiplo") return 1;
    return 0;
}

void setNumber(bench::Message& m, const bench::Slot& s, double value, const std::string& column) {
    m.setNull(s, false);
    double scaled = value;
    for (int i = 0; i < -s.scale; ++i) scaled *= 10;
    switch (s.type) {
    case SQL_DOUBLE: m.store<double>(s.offset, value); break;  // dialect-1 NUMERIC(15,2) holds the value itself
    case SQL_FLOAT: m.store<float>(s.offset, static_cast<float>(value)); break;
    case SQL_SHORT:
        m.store<std::int16_t>(s.offset, static_cast<std::int16_t>(std::llround(std::min(scaled, 32000.0))));
        break;
    case SQL_LONG: m.store<std::int32_t>(s.offset, static_cast<std::int32_t>(std::llround(scaled))); break;
    case SQL_INT64: m.store<std::int64_t>(s.offset, std::llround(scaled)); break;
    default: throw velmora::Exception("No number for column " + column);
    }
}

// A moment of the last ten years, or for a shop a day of the last one.
void setMoment(bench::Message& m, const bench::Slot& s, IUtil* util, std::mt19937_64& rng, bool shop) {
    m.setNull(s, false);
    ISC_TIMESTAMP ts;
    ts.timestamp_date = util->encodeDate(shop ? 2024 : 2015 + static_cast<unsigned>(rng() % 10),
                                         1 + static_cast<unsigned>(rng() % 12), 1 + static_cast<unsigned>(rng() % 28));
    ts.timestamp_time = shop ? 0
                             : util->encodeTime(static_cast<unsigned>(rng() % 24), static_cast<unsigned>(rng() % 60),
                                                static_cast<unsigned>(rng() % 60), 0);
    m.store(s.offset, ts);
}

void execute(bench::Session& db, IStatement* stmt, ITransaction* tra, bench::Message& in) {
    stmt->execute(db.status.get(), tra, in.metadata.get(), in.buffer.data(), nullptr, nullptr);
    db.status.check();
}

void generate(const std::string& location, long count, bool shop) {
    bench::Session db(location);
    auto tra = db.startSnapshot();

    // The product columns are the record's fields but the queued action.
    std::vector<std::string> columns;
    std::string insert = "INSERT INTO Produto (";
    std::string values;
    for (const records::FieldDef& f : records::TRegistroProduto.fields) {
        if (f.name == "Acao") continue;
        columns.emplace_back(f.name);
        insert += (values.empty() ? "" : ", ") + columns.back();
        values += values.empty() ? "?" : ", ?";
    }
    insert += ") VALUES (" + values + ")";
    auto product = db.prepare(tra.get(), insert);
    bench::Message row(product->getInputMetadata(db.status.get()), db.status);

    auto queue = db.prepare(tra.get(),
                            "INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual) "
                            "VALUES (?, ?, 'PRODUTO', ?, ?, ?, ?)");
    bench::Message q(queue->getInputMetadata(db.status.get()), db.status);
    auto stock =
        db.prepare(tra.get(), "INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque) VALUES (?, ?, ?, ?)");
    bench::Message st(stock->getInputMetadata(db.status.get()), db.status);

    std::mt19937_64 rng(20240305);
    for (long n = 1; n <= count; ++n) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const bench::Slot& s = row.slots[c];
            switch (s.type) {
            case SQL_TEXT:
            case SQL_VARYING:
                row.setText(s, velmora::utf8ToWin1252(shop ? shopText(columns[c], s.length, n, rng)
                                                           : textFor(columns[c], s.length, n, rng)));
                break;
            case SQL_TIMESTAMP: setMoment(row, s, db.util, rng, shop); break;
            default: {
                const bool integer = s.scale == 0 && s.type != SQL_DOUBLE;
                const double value = shop ? (integer ? 0 : shopReal(columns[c], rng))
                                          : (integer ? static_cast<double>(rng() % 25) : realFor(columns[c], rng));
                setNumber(row, s, value, columns[c]);
            }
            }
        }
        execute(db, product.get(), tra.get(), row);

        const std::string code = bench::dataset::productCode(n);
        q.setText(q.slots[0], bench::dataset::company);
        q.setText(q.slots[1], bench::dataset::terminal);
        q.setText(q.slots[2], code);
        q.setText(q.slots[3], n % 10 ? "A" : "I");
        // Changes spread over the last days, several per minute.
        ISC_TIMESTAMP day;
        day.timestamp_date = db.util->encodeDate(2024, 3, 1 + static_cast<unsigned>(n % 28));
        day.timestamp_time = 0;
        q.setNull(q.slots[4], false);
        q.store(q.slots[4].offset, day);
        char hour[16];
        std::snprintf(hour, sizeof hour, "%02ld:%02ld:%02ld", n / 3600 % 24, n / 60 % 60, n % 60);
        q.setText(q.slots[5], hour);
        execute(db, queue.get(), tra.get(), q);

        st.setText(st.slots[0], bench::dataset::company);
        st.setText(st.slots[1], code);
        st.setText(st.slots[2], bench::dataset::grade);
        setNumber(st, st.slots[3], static_cast<double>(rng() % 100000) / 10, "Estoque");
        execute(db, stock.get(), tra.get(), st);
    }
    db.commit(tra);
    product.reset();
    queue.reset();
    stock.reset();
    db.detach();
}

}  // namespace

int main(int argc, char** argv) {
    const bool shop = argc == 4 && std::string_view(argv[3]) == "shop";
    if ((argc != 3 && !shop) || std::atol(argv[2]) < 0) {
        std::fprintf(stderr, "usage: %s LOCATION N [shop]\n", argv[0]);
        return 2;
    }
    try {
        generate(argv[1], std::atol(argv[2]), shop);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_generate: %s\n", e.what());
        return 1;
    }
    return 0;
}
