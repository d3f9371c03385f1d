#include "fb_raw.h"

#include <cctype>

namespace bench {

using namespace Firebird;

Session::Session(const std::string& location) {
    IMaster* master = db::fb::master();
    util = master->getUtilInterface();
    db::fb::Handle<IXpbBuilder> dpb(util->getXpbBuilder(status.get(), IXpbBuilder::DPB, nullptr, 0));
    status.check();
    dpb->insertString(status.get(), isc_dpb_user_name, "SYSDBA");
    dpb->insertString(status.get(), isc_dpb_password, "masterkey");
    dpb->insertString(status.get(), isc_dpb_lc_ctype, "WIN1252");
    dpb->insertInt(status.get(), isc_dpb_sql_dialect, kDialect);
    status.check();
    provider.reset(master->getDispatcher());
    const unsigned length = dpb->getBufferLength(status.get());
    const unsigned char* bytes = dpb->getBuffer(status.get());
    status.check();
    attachment.reset(provider->attachDatabase(status.get(), location.c_str(), length, bytes));
    status.check();
}

void Session::detach() {
    attachment->detach(status.get());
    status.check();
    attachment.disown();
}

db::fb::Handle<ITransaction> Session::startSnapshot() {
    static constexpr unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_concurrency, isc_tpb_wait};
    db::fb::Handle<ITransaction> tra(attachment->startTransaction(status.get(), sizeof tpb, tpb));
    status.check();
    return tra;
}

db::fb::Handle<ITransaction> Session::startReadOnly() {
    static constexpr unsigned char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version,
                                            isc_tpb_wait};
    db::fb::Handle<ITransaction> tra(attachment->startTransaction(status.get(), sizeof tpb, tpb));
    status.check();
    return tra;
}

db::fb::Handle<IStatement> Session::prepare(ITransaction* tra, std::string_view sql) {
    const std::string text(sql);
    db::fb::Handle<IStatement> stmt(
        attachment->prepare(status.get(), tra, 0, text.c_str(), kDialect, IStatement::PREPARE_PREFETCH_METADATA));
    status.check();
    return stmt;
}

void Session::commit(db::fb::Handle<ITransaction>& tra) {
    tra->commit(status.get());
    status.check();
    tra.disown();
}

Message::Message(IMessageMetadata* meta, db::fb::Status& st) : metadata(meta) {
    const unsigned count = meta->getCount(st.get());
    st.check();
    slots.resize(count);
    for (unsigned i = 0; i < count; ++i) {
        Slot& s = slots[i];
        s.type = meta->getType(st.get(), i) & ~1u;
        s.scale = meta->getScale(st.get(), i);
        s.length = meta->getLength(st.get(), i);
        s.offset = meta->getOffset(st.get(), i);
        s.nullOffset = meta->getNullOffset(st.get(), i);
        if (const char* f = meta->getField(st.get(), i)) s.field = f;
        st.check();
    }
    buffer.assign(meta->getMessageLength(st.get()), 0);
    st.check();
}

void Message::setText(const Slot& s, std::string_view win1252) {
    setNull(s, false);
    unsigned char* p = buffer.data() + s.offset;
    if (s.type == SQL_TEXT) {
        const std::size_t n = std::min<std::size_t>(win1252.size(), s.length);
        std::memcpy(p, win1252.data(), n);
        std::memset(p + n, ' ', s.length - n);
        return;
    }
    const auto n = static_cast<std::uint16_t>(std::min<std::size_t>(win1252.size(), s.length));
    std::memcpy(p, &n, sizeof n);
    std::memcpy(p + sizeof n, win1252.data(), n);
}

std::string_view Message::text(const Slot& s) const {
    const auto* p = reinterpret_cast<const char*>(buffer.data() + s.offset);
    if (s.type == SQL_TEXT) return {p, s.length};
    return {p + sizeof(std::uint16_t), load<std::uint16_t>(s.offset)};
}

std::string positional(std::string_view sql) {
    std::string out;
    out.reserve(sql.size());
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == ':' && i + 1 < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i + 1]))) {
            out += '?';
            while (i + 1 < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i + 1])) || sql[i + 1] == '_'))
                ++i;
        } else {
            out += sql[i];
        }
    }
    return out;
}

}  // namespace bench
