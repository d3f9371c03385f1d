#include "stock_query.h"

namespace bench {

using namespace Firebird;

double stockOf(Session& db, std::string_view company, std::string_view product, std::string_view grade) {
    auto tra = db.startReadOnly();
    auto select = db.prepare(tra.get(),
                             "Select CompProd.Estoque from CompProd\nwhere CompProd.CodProd = ?\n"
                             "And CompProd.CodEmpresa = ?\nAnd CompProd.CodGrade = ?");
    Message in(select->getInputMetadata(db.status.get()), db.status);
    in.setText(in.slots[0], product);
    in.setText(in.slots[1], company);
    in.setText(in.slots[2], grade);
    Message row(select->getOutputMetadata(db.status.get()), db.status);
    db::fb::Handle<IResultSet> cursor(
        select->openCursor(db.status.get(), tra.get(), in.metadata.get(), in.buffer.data(), row.metadata.get(), 0));
    db.status.check();
    double stock = 0;
    if (cursor->fetchNext(db.status.get(), row.buffer.data()) == IStatus::RESULT_OK && !row.isNull(row.slots[0]))
        stock = row.load<double>(row.slots[0].offset);
    db.status.check();
    cursor->close(db.status.get());
    db.status.check();
    cursor.disown();
    db.commit(tra);
    return stock;
}

}  // namespace bench
