// Mapping ":Name" parameters to positions, preparing, binding and running.
#include "db/statement.h"

#include "common/limits.h"
#include "db/firebird.h"

#include <cstring>
#include <optional>
#include <span>
#include <utility>

namespace db {
namespace {

using namespace Firebird;

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

std::string metadataName(std::string_view name) { return isValidUtf8(name) ? std::string(name) : win1252ToUtf8(name); }

// Whether the name at [begin, end) of `sql` stands alone on one side of an
// equality: "= :Name" but not "<= :Name", or ":Name =".
bool inEquality(std::string_view sql, std::size_t begin, std::size_t end) {
    const std::size_t before = begin == 0 ? std::string_view::npos : sql.find_last_not_of(" \t\r\n", begin - 1);
    if (before != std::string_view::npos && sql[before] == '=' &&
        (before == 0 || std::string_view("<>!^~").find(sql[before - 1]) == std::string_view::npos))
        return true;
    const std::size_t after = sql.find_first_not_of(" \t\r\n", end);
    return after != std::string_view::npos && sql[after] == '=';
}

// An integer item of a getInfo answer.
int number(std::span<const unsigned char> value) {
    return static_cast<int>(isc_portable_integer(value.data(), static_cast<short>(value.size())));
}

// Walks getInfo's answer to a describe request (isc_info_sql_select or
// isc_info_sql_bind, isc_info_sql_describe_vars, then each variable's items
// up to isc_info_sql_describe_end), calling visit(index, item, value) for
// every item of a variable, `index` counted from 0 (its
// isc_info_sql_sqlda_seq less one) and below the number of variables. Gives
// the number of variables, or nothing when the answer did not fit the buffer.
template <class Visit>
std::optional<unsigned> walkDescription(std::span<const unsigned char> info, Visit visit) {
    std::optional<unsigned> count;
    unsigned index = 0;
    for (auto p = info.begin(); p != info.end();) {
        const unsigned char item = *p++;
        if (item == isc_info_end) return count;
        if (item == isc_info_truncated) return std::nullopt;
        if (item == isc_info_sql_select || item == isc_info_sql_bind || item == isc_info_sql_describe_end) continue;
        if (info.end() - p < 2) break;
        const auto length = static_cast<std::size_t>(isc_portable_integer(&*p, 2));
        p += 2;
        if (static_cast<std::size_t>(info.end() - p) < length) break;
        const std::span<const unsigned char> value(p, length);
        p += static_cast<std::ptrdiff_t>(length);
        if (item == isc_info_sql_describe_vars)
            count = static_cast<unsigned>(number(value));
        else if (item == isc_info_sql_sqlda_seq)
            index = static_cast<unsigned>(number(value) - 1);
        else if (count && index < *count)
            visit(index, item, value);
    }
    return std::nullopt;  // no isc_info_end: cut short
}

// The output columns as the statement's own metadata gives them: what the
// network client describes from what it kept of the prepare.
std::shared_ptr<const OutputLayout> ownLayout(IStatement* statement, fb::Status& st) {
    auto layout = std::make_shared<OutputLayout>();
    layout->metadata.reset(st.checked(statement->getOutputMetadata(st.get())));
    IMessageMetadata* meta = layout->metadata.get();
    const unsigned count = st.checked(meta->getCount(st.get()));
    layout->columns.resize(count);
    for (unsigned i = 0; i < count; ++i) {
        Column& c = layout->columns[i];
        c.type = st.checked(meta->getType(st.get(), i)) & ~1u;
        c.scale = st.checked(meta->getScale(st.get(), i));
        c.length = st.checked(meta->getLength(st.get(), i));
        c.offset = st.checked(meta->getOffset(st.get(), i));
        c.nullOffset = st.checked(meta->getNullOffset(st.get(), i));
        c.field = metadataName(st.checked(meta->getField(st.get(), i)));
        c.alias = metadataName(st.checked(meta->getAlias(st.get(), i)));
    }
    layout->messageLength = st.checked(meta->getMessageLength(st.get()));
    return layout;
}

// The same layout from the columns as getInfo describes them, with the
// message to fetch them into built to match: the statement's own output
// metadata costs the embedded engine about 140,000 instructions a call,
// while a network client would ask the server again for what getInfo asks.
// An answer larger than the buffer is asked for again in one twice as large.
std::shared_ptr<const OutputLayout> describedLayout(IStatement* statement, fb::Status& st) {
    static constexpr unsigned char kItems[] = {
        isc_info_sql_select,   isc_info_sql_describe_vars, isc_info_sql_sqlda_seq, isc_info_sql_type,
        isc_info_sql_sub_type, isc_info_sql_scale,         isc_info_sql_length,    isc_info_sql_field,
        isc_info_sql_alias,    isc_info_sql_describe_end};
    struct Described {
        unsigned type = 0;  // with the nullable bit
        int subType = 0;
        int scale = 0;
        unsigned length = 0;
        std::string_view field, alias;
    };
    std::vector<Described> described;
    const auto visit = [&](unsigned index, unsigned char item, std::span<const unsigned char> value) {
        if (index >= described.size()) described.resize(index + 1);
        Described& d = described[index];
        const std::string_view text(reinterpret_cast<const char*>(value.data()), value.size());
        switch (item) {
        case isc_info_sql_type: d.type = static_cast<unsigned>(number(value)); break;
        case isc_info_sql_sub_type: d.subType = number(value); break;
        case isc_info_sql_scale: d.scale = number(value); break;
        case isc_info_sql_length: d.length = static_cast<unsigned>(number(value)); break;
        case isc_info_sql_field: d.field = text; break;
        case isc_info_sql_alias: d.alias = text; break;
        default: break;
        }
    };
    std::unique_ptr<unsigned char[]> info;  // the names point into it
    std::optional<unsigned> count;
    for (std::size_t size = velmora::limits::kOutputInfoBytes; !count; size *= 2) {
        if (size > velmora::limits::kMaxOutputInfoBytes) throw DatabaseError("Select list too long to describe");
        info = std::make_unique_for_overwrite<unsigned char[]>(size);
        statement->getInfo(st.get(), sizeof kItems, kItems, static_cast<unsigned>(size), info.get());
        st.check();
        described.clear();
        count = walkDescription({info.get(), size}, visit);
    }
    described.resize(*count);

    auto layout = std::make_shared<OutputLayout>();
    layout->columns.resize(*count);
    fb::Handle<IMetadataBuilder> builder(st.checked(fb::master()->getMetadataBuilder(st.get(), *count)));
    for (unsigned i = 0; i < *count; ++i) {
        const Described& d = described[i];
        Column& c = layout->columns[i];
        c.type = d.type & ~1u;
        c.scale = d.scale;
        c.length = d.length;
        c.field = metadataName(d.field);
        c.alias = metadataName(d.alias);
        // A text's character set travels as its sub_type, a BLOB's as its
        // scale.
        int subType = d.subType;
        int charSet = 0;
        if (c.type == SQL_TEXT || c.type == SQL_VARYING) charSet = std::exchange(subType, 0);
        if (c.type == SQL_BLOB) charSet = std::exchange(c.scale, 0);
        builder->setType(st.get(), i, d.type);
        st.check();
        builder->setLength(st.get(), i, d.length);
        st.check();
        builder->setSubType(st.get(), i, subType);
        st.check();
        builder->setScale(st.get(), i, c.scale);
        st.check();
        builder->setCharSet(st.get(), i, static_cast<unsigned>(charSet));
        st.check();
    }
    layout->metadata.reset(st.checked(builder->getMetadata(st.get())));
    IMessageMetadata* meta = layout->metadata.get();
    for (unsigned i = 0; i < *count; ++i) {
        Column& c = layout->columns[i];
        c.offset = st.checked(meta->getOffset(st.get(), i));
        c.nullOffset = st.checked(meta->getNullOffset(st.get(), i));
    }
    layout->messageLength = st.checked(meta->getMessageLength(st.get()));
    return layout;
}

}  // namespace

std::string namedParameter(std::size_t bytes) {
    return "CAST(? AS VARCHAR(" + std::to_string(bytes) + ") CHARACTER SET WIN1252)";
}

PositionalSql toPositional(std::string_view sql, std::size_t castBytes, bool bareEqualities) {
    const std::string named = namedParameter(castBytes);
    PositionalSql out;
    out.sql.reserve(sql.size());
    const std::size_t n = sql.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // A doubled quote inside is just two strings back to back here,
            // which copies the same bytes.
            const std::size_t close = sql.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close + 1;
            out.sql.append(sql, i, end - i);
            i = end;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            const std::size_t eol = sql.find('\n', i);
            const std::size_t end = eol == std::string_view::npos ? n : eol;
            out.sql.append(sql, i, end - i);
            i = end;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const std::size_t close = sql.find("*/", i + 2);
            const std::size_t end = close == std::string_view::npos ? n : close + 2;
            out.sql.append(sql, i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < n && isNameChar(sql[i + 1])) {
            std::size_t end = i + 1;
            while (end < n && isNameChar(sql[end])) ++end;
            out.names.emplace_back(sql.substr(i + 1, end - i - 1));
            const bool bare = bareEqualities && inEquality(sql, i, end);
            out.bare.push_back(bare);
            out.sql.append(bare ? std::string_view("?") : std::string_view(named));
            i = end;
        } else if (c == '?') {
            out.names.emplace_back();
            out.bare.push_back(false);
            out.sql.push_back('?');
            ++i;
        } else {
            out.sql.push_back(c);
            ++i;
        }
    }
    return out;
}

Statement::Impl::~Impl() { closeCurrent(); }

void Statement::Impl::closeCurrent() noexcept {
    if (!current) return;
    current->abandon();
    current->owner = nullptr;
    current = nullptr;
}

Statement::Impl::Input Statement::Impl::buildInput() {
    Input in;
    if (positions.empty()) return in;
    for (const Parameter& p : parameters)
        if (!p.bound)
            throw DatabaseError(p.name.empty() ? "No value for an unnamed parameter"
                                               : "No value for parameter '" + p.name + "'");

    fb::Status& st = status;
    const unsigned count = unsigned(positions.size());
    fb::Handle<IMetadataBuilder> builder(st.checked(fb::master()->getMetadataBuilder(st.get(), count)));
    // A text longer than the column a bare "?" stands for (trailing blanks
    // aside, which compare equal) equals none of its values: it goes as NULL.
    std::vector<bool> nulls(count);
    for (unsigned i = 0; i < count; ++i) {
        const Parameter& parameter = parameters[positions[i]];
        const std::size_t significant = parameter.value.find_last_not_of(' ') + 1;
        nulls[i] = parameter.null || (bare[i] && significant > columnBytes[i]);
    }
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t size = nulls[i] ? 0 : parameters[positions[i]].value.size();
        builder->setType(st.get(), i, SQL_VARYING + 1);  // nullable
        st.check();
        builder->setLength(st.get(), i, unsigned(size == 0 ? 1 : size));
        st.check();
        builder->setCharSet(st.get(), i, kCharSetWin1252);
        st.check();
    }
    in.metadata.reset(st.checked(builder->getMetadata(st.get())));
    IMessageMetadata* meta = in.metadata.get();
    in.buffer.assign(st.checked(meta->getMessageLength(st.get())), 0);
    for (unsigned i = 0; i < count; ++i) {
        const std::string_view value = nulls[i] ? std::string_view() : parameters[positions[i]].value;
        const unsigned offset = st.checked(meta->getOffset(st.get(), i));
        const unsigned nullOffset = st.checked(meta->getNullOffset(st.get(), i));
        const auto length = static_cast<ISC_USHORT>(value.size());
        std::memcpy(&in.buffer[offset], &length, sizeof length);
        if (!value.empty()) std::memcpy(&in.buffer[offset + sizeof length], value.data(), value.size());
        const ISC_SHORT nullFlag = nulls[i] ? -1 : 0;
        std::memcpy(&in.buffer[nullOffset], &nullFlag, sizeof nullFlag);
    }
    return in;
}

Statement::Statement(Transaction& transaction, std::string_view sql)
    : impl_(std::make_unique<Impl>(transaction.impl())) {
    Impl& im = *impl_;
    im.sql = sql;
    const std::size_t shortBytes = velmora::limits::kShortTextParameterBytes;
    PositionalSql positional = toPositional(sql, shortBytes, true);
    for (std::string& name : positional.names) {
        std::size_t index = im.parameters.size();
        if (!name.empty()) {
            for (std::size_t p = 0; p < im.parameters.size(); ++p)
                if (velmora::equalsIgnoringCase(im.parameters[p].name, name)) index = p;
        }
        if (index == im.parameters.size()) im.parameters.push_back({std::move(name), {}, false});
        im.positions.push_back(index);
    }
    im.bare = std::move(positional.bare);
    im.prepare(positional.sql, shortBytes);
    if (!im.readColumnBytes()) {
        // Compared with a column that is not text: the cast keeps the
        // comparison one of texts, as everywhere else.
        im.bare.assign(im.bare.size(), false);
        im.prepare(toPositional(sql, shortBytes, false).sql, shortBytes);
    }
}

bool Statement::Impl::readColumnBytes() {
    columnBytes.assign(positions.size(), 0);
    if (!anyBare()) return true;
    // Described in the connection's character set, WIN1252: one byte a
    // character, as the values are sent.
    const auto isText = [](unsigned type) { return (type & ~1u) == SQL_TEXT || (type & ~1u) == SQL_VARYING; };
    fb::Status& st = status;
    if (connection.remote) {
        // The network client kept the description from the prepare, where
        // getInfo would ask the server again.
        fb::Handle<IMessageMetadata> meta(st.checked(statement->getInputMetadata(st.get())));
        for (unsigned i = 0; i < positions.size(); ++i) {
            if (!bare[i]) continue;
            if (!isText(st.checked(meta->getType(st.get(), i)))) return false;
            columnBytes[i] = st.checked(meta->getLength(st.get(), i));
        }
        return true;
    }
    // Only the type and length of each parameter: the whole input metadata
    // costs the embedded engine about 145,000 instructions more a call.
    static constexpr unsigned char kItems[] = {isc_info_sql_bind,      isc_info_sql_describe_vars,
                                               isc_info_sql_sqlda_seq, isc_info_sql_type,
                                               isc_info_sql_length,    isc_info_sql_describe_end};
    unsigned char info[velmora::limits::kParameterInfoBytes];
    statement->getInfo(st.get(), sizeof kItems, kItems, sizeof info, info);
    st.check();
    bool texts = true;
    const auto visit = [&](unsigned index, unsigned char item, std::span<const unsigned char> value) {
        if (index >= positions.size() || !bare[index]) return;
        const int n = number(value);
        if (item == isc_info_sql_type && !isText(static_cast<unsigned>(n))) texts = false;
        if (item == isc_info_sql_length) columnBytes[index] = static_cast<std::size_t>(n);
    };
    // An answer cut short (too many parameters) leaves them all cast, and
    // so does one that left a parameter undescribed.
    if (!walkDescription(info, visit) || !texts) return false;
    for (std::size_t i = 0; i < positions.size(); ++i)
        if (bare[i] && columnBytes[i] == 0) return false;
    return true;
}

void Statement::Impl::prepare(const std::string& positionalSql, std::size_t bytes) {
    IAttachment* attachment = connection.attached();
    ITransaction* tra = transaction.active();  // preparing looks up metadata
    const std::string text = utf8ToWin1252(positionalSql);
    fb::Status& st = status;
    statement.reset(st.checked(attachment->prepare(st.get(), tra, unsigned(text.size()), text.c_str(), kDialect,
                                                   IStatement::PREPARE_PREFETCH_METADATA)));
    layout = connection.remote ? ownLayout(statement.get(), st) : describedLayout(statement.get(), st);
    castBytes = bytes;
}

void Statement::Impl::fitCasts() {
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const Parameter& p = parameters[positions[i]];
        if (!bare[i] && !p.null && p.value.size() > castBytes) {
            const std::size_t longest = velmora::limits::kMaxTextParameterBytes;
            prepare(toPositional(sql, longest, anyBare()).sql, longest);
            return;
        }
    }
}

Statement::~Statement() = default;
Statement::Statement(Statement&&) noexcept = default;

void Statement::bind(std::string_view name, std::string_view utf8Text) {
    for (Impl::Parameter& p : impl_->parameters) {
        if (!p.name.empty() && velmora::equalsIgnoringCase(p.name, name)) {
            p.value.clear();
            appendUtf8AsWin1252(utf8Text, p.value);
            // A longer text equals no stored value: it goes as NULL, which
            // compares equal to nothing, so the statement matches no row.
            p.null = p.value.size() > velmora::limits::kMaxTextParameterBytes;
            if (p.null) p.value.clear();
            p.bound = true;
            return;
        }
    }
    throw DatabaseError("Parameter '" + std::string(name) + "' not found");
}

Cursor Statement::open() {
    Impl& im = *impl_;
    im.closeCurrent();
    im.fitCasts();
    auto r = std::make_unique<Cursor::Impl>();
    r->layout = im.layout;
    r->attachment.reset(im.connection.attached());
    ITransaction* tra = im.transaction.active();
    r->transaction.reset(tra);

    Impl::Input in = im.buildInput();
    fb::Status& st = im.status;
    r->cursor.reset(st.checked(
        im.statement->openCursor(st.get(), tra, in.metadata.get(), in.buffer.data(), im.layout->metadata.get(), 0)));
    r->row = std::make_unique<unsigned char[]>(im.layout->messageLength);
    r->owner = &im;
    im.current = r.get();
    return Cursor(std::move(r));
}

void Statement::execute() {
    Impl& im = *impl_;
    im.closeCurrent();
    im.fitCasts();
    fb::Status& st = im.status;
    ITransaction* tra = im.transaction.active();
    Impl::Input in = im.buildInput();

    // A statement that returns values (EXECUTE PROCEDURE, RETURNING) needs
    // somewhere to put them even though nobody reads them.
    IMessageMetadata* outMeta = nullptr;
    std::unique_ptr<unsigned char[]> out;
    if (!im.layout->columns.empty()) {
        outMeta = im.layout->metadata.get();
        out = std::make_unique<unsigned char[]>(im.layout->messageLength);
    }

    im.statement->execute(st.get(), tra, in.metadata.get(), in.buffer.data(), outMeta, out.get());
    st.check();
}

}  // namespace db
