// The raw Firebird client calls the benchmark programs share: an attachment
// made the way the service makes it (WIN1252, dialect 1) and a message
// buffer laid out from a statement's metadata. No adapter in between, so the
// floor programs measure the client and the engine alone.
#pragma once

#include "db/firebird.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

inline constexpr unsigned kDialect = 1;

struct Session {
    db::fb::Status status;
    db::fb::Handle<Firebird::IProvider> provider;
    db::fb::Handle<Firebird::IAttachment> attachment;
    Firebird::IUtil* util = nullptr;

    // Attaches as SYSDBA; throws db::DatabaseError.
    explicit Session(const std::string& location);
    void detach();

    db::fb::Handle<Firebird::ITransaction> startSnapshot();
    db::fb::Handle<Firebird::ITransaction> startReadOnly();
    db::fb::Handle<Firebird::IStatement> prepare(Firebird::ITransaction* tra, std::string_view sql);
    void commit(db::fb::Handle<Firebird::ITransaction>& tra);
};

// One slot of a message: where the value and its NULL flag sit.
struct Slot {
    unsigned type = 0;  // SQL_* without the nullable bit
    int scale = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    std::string field;
};

struct Message {
    db::fb::Handle<Firebird::IMessageMetadata> metadata;
    std::vector<unsigned char> buffer;
    std::vector<Slot> slots;

    Message(Firebird::IMessageMetadata* meta, db::fb::Status& st);

    bool isNull(const Slot& s) const { return load<std::int16_t>(s.nullOffset) != 0; }
    void setNull(const Slot& s, bool null) { store<std::int16_t>(s.nullOffset, null ? -1 : 0); }
    // CHAR is blank-padded, VARCHAR carries its length; longer texts are cut.
    void setText(const Slot& s, std::string_view win1252);
    std::string_view text(const Slot& s) const;

    template <class T>
    T load(unsigned offset) const {
        T v;
        std::memcpy(&v, buffer.data() + offset, sizeof v);
        return v;
    }
    template <class T>
    void store(unsigned offset, T v) {
        std::memcpy(buffer.data() + offset, &v, sizeof v);
    }
};

// Replaces each ":Name" of the service's statements with "?", in order.
std::string positional(std::string_view sql);

}  // namespace bench
