// Reading the rows of an open result, and the rules that turn a column's
// value into text, a real, an integer or a date (cursor.h gives the forms).
#include "db/cursor.h"

#include "common/limits.h"
#include "db/firebird.h"

#include <cstring>
#include <optional>

namespace db {
namespace {

using namespace Firebird;

template <class T>
T load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool isCharacter(const Column& c) { return c.type == SQL_TEXT || c.type == SQL_VARYING || c.type == SQL_BLOB; }

std::int64_t loadInteger(const Column& c, const unsigned char* p) {
    switch (c.type) {
    case SQL_SHORT: return load<ISC_SHORT>(p);
    case SQL_LONG: return load<ISC_LONG>(p);
    default: return load<ISC_INT64>(p);
    }
}

const char* typeName(unsigned type) {
    switch (type) {
    case SQL_TIMESTAMP: return "TIMESTAMP";
    case SQL_TYPE_DATE: return "DATE";
    case SQL_TYPE_TIME: return "TIME";
    case SQL_BOOLEAN: return "BOOLEAN";
    case SQL_SHORT: return "SMALLINT";
    case SQL_LONG: return "INTEGER";
    case SQL_INT64: return "BIGINT";
    case SQL_FLOAT: return "FLOAT";
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return "DOUBLE PRECISION";
    case SQL_ARRAY: return "ARRAY";
    default: return "this type";
    }
}

[[noreturn]] void cannotRead(const Column& c, const char* as) {
    throw DatabaseError("Field '" + c.alias + "' of type " + typeName(c.type) + " cannot be read as " + as);
}

[[noreturn]] void notValid(std::string_view win1252, const char* what) {
    std::string message = "'";
    appendWin1252AsUtf8(win1252, message);
    message += "' is not a valid ";
    message += what;
    throw DatabaseError(message);
}

// A value parsed from a column's text, or the error that names the text.
template <class T>
T validOrThrow(const std::optional<T>& value, std::string_view win1252, const char* what) {
    if (!value) notValid(win1252, what);
    return *value;
}

// A TIMESTAMP, DATE or TIME value; a time alone stands on day zero.
DateTime loadMoment(const Column& c, const unsigned char* p) {
    DateTime d;
    switch (c.type) {
    case SQL_TIMESTAMP: {
        const auto ts = load<ISC_TIMESTAMP>(p);
        d = decodeFirebirdDate(ts.timestamp_date);
        decodeFirebirdTime(ts.timestamp_time, d);
        break;
    }
    case SQL_TYPE_DATE: d = decodeFirebirdDate(load<ISC_DATE>(p)); break;
    default: decodeFirebirdTime(load<ISC_TIME>(p), d); break;
    }
    return d;
}

}  // namespace

Cursor::Impl::~Impl() {
    if (owner) owner->current = nullptr;
    abandon();
}

void Cursor::Impl::close() {
    onRow = false;
    if (cursor) {
        cursor->close(status.get());
        status.check();
        cursor.disown();  // a successful close releases the interface
    }
}

void Cursor::Impl::abandon() noexcept {
    onRow = false;
    cursor.reset();
}

const Column& Cursor::Impl::column(std::size_t index) const {
    if (!onRow) throw DatabaseError("No current row");
    if (index >= layout->columns.size()) throw DatabaseError("Column index out of range");
    return layout->columns[index];
}

bool Cursor::Impl::isNull(const Column& c) const { return load<ISC_SHORT>(row.get() + c.nullOffset) != 0; }

const unsigned char* Cursor::Impl::value(const Column& c, const char* what) const {
    if (!isNull(c)) return row.get() + c.offset;
    // A NULL text is no value, just like an empty one.
    if (what && isCharacter(c)) notValid({}, what);
    return nullptr;
}

std::string_view Cursor::Impl::rawText(const Column& c) {
    const unsigned char* p = row.get() + c.offset;
    switch (c.type) {
    case SQL_TEXT: return {reinterpret_cast<const char*>(p), c.length};
    case SQL_VARYING: return {reinterpret_cast<const char*>(p + sizeof(ISC_USHORT)), load<ISC_USHORT>(p)};
    default: {  // SQL_BLOB
        ISC_QUAD id = load<ISC_QUAD>(p);
        fb::Handle<IBlob> handle(attachment->openBlob(status.get(), transaction.get(), &id, 0, nullptr));
        status.check();
        blob.clear();
        char chunk[velmora::limits::kBlobSegmentBytes];
        for (;;) {
            unsigned got = 0;
            const int r = handle->getSegment(status.get(), sizeof chunk, chunk, &got);
            status.check();
            if (r == IStatus::RESULT_NO_DATA) break;
            blob.append(chunk, got);
        }
        handle->close(status.get());
        status.check();
        handle.disown();
        return blob;
    }
    }
}

Cursor::Cursor(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Cursor::~Cursor() = default;
Cursor::Cursor(Cursor&&) noexcept = default;

bool Cursor::next() {
    Impl& im = *impl_;
    if (!im.cursor) return false;
    const int r = im.cursor->fetchNext(im.status.get(), im.row.get());
    im.status.check();
    if (r == IStatus::RESULT_OK) {
        im.onRow = true;
        return true;
    }
    // End of data: let go of the cursor at once.
    im.close();
    return false;
}

std::size_t Cursor::columnCount() const { return impl_->layout->columns.size(); }

std::size_t Cursor::findColumn(std::string_view name) const {
    const std::vector<Column>& columns = impl_->layout->columns;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (velmora::equalsIgnoringCase(columns[i].alias, name)) return i;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (velmora::equalsIgnoringCase(columns[i].field, name)) return i;
    throw DatabaseError("Field '" + std::string(name) + "' not found");
}

bool Cursor::isNull(std::size_t column) const { return impl_->isNull(impl_->column(column)); }

namespace {

// The text form of a value that is not character data: plain ASCII, so the
// same bytes in WIN1252 and in UTF-8.
void appendFormatted(const Column& c, const unsigned char* p, std::string& out) {
    switch (c.type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: appendScaled(loadInteger(c, p), c.scale, out); return;
    case SQL_FLOAT: appendShortestReal(load<float>(p), out); return;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        // A dialect-1 NUMERIC(15,2) is a double that already holds the scaled
        // value; its scale only says how many decimals it is meant to have.
        if (c.scale < 0)
            appendRealFixed(load<double>(p), -c.scale, out);
        else
            appendShortestReal(load<double>(p), out);
        return;
    case SQL_TIMESTAMP: {
        const DateTime d = loadMoment(c, p);
        appendDate(d, out);
        out.push_back(' ');
        appendTime(d, out);
        return;
    }
    case SQL_TYPE_DATE: appendDate(loadMoment(c, p), out); return;
    case SQL_TYPE_TIME: appendTime(loadMoment(c, p), out); return;
    case SQL_BOOLEAN: out.append(load<FB_BOOLEAN>(p) ? "True" : "False"); return;
    case SQL_NULL: return;
    default: cannotRead(c, "text");
    }
}

}  // namespace

void Cursor::appendText(std::size_t column, std::string& out) const {
    Impl& im = *impl_;
    const Column& c = im.column(column);
    const unsigned char* p = im.value(c, nullptr);
    if (!p) return;
    if (isCharacter(c))
        appendWin1252AsUtf8(im.rawText(c), out);
    else
        appendFormatted(c, p, out);
}

std::string_view Cursor::win1252Text(std::size_t column, std::string& scratch) const {
    Impl& im = *impl_;
    const Column& c = im.column(column);
    const unsigned char* p = im.value(c, nullptr);
    if (!p) return {};
    if (isCharacter(c)) return im.rawText(c);
    scratch.clear();
    appendFormatted(c, p, scratch);
    return scratch;
}

std::string Cursor::text(std::size_t column) const {
    std::string s;
    appendText(column, s);
    return s;
}

namespace {

// The frame of the typed readers: NULL gives `null` (but a NULL text is no
// `what`), a text is parsed, any other value loaded from the row.
template <class T, class Parse, class Load>
T readTyped(Cursor::Impl& im, std::size_t column, const char* what, T null, Parse parse, Load loadValue) {
    const Column& c = im.column(column);
    const unsigned char* p = im.value(c, what);
    if (!p) return null;
    if (isCharacter(c)) {
        const std::string_view raw = im.rawText(c);
        return validOrThrow(parse(raw), raw, what);
    }
    return loadValue(c, p);
}

}  // namespace

double Cursor::asReal(std::size_t column) const {
    return readTyped(*impl_, column, "floating point value", 0.0, parseReal,
                     [](const Column& c, const unsigned char* p) -> double {
                         switch (c.type) {
                         case SQL_SHORT:
                         case SQL_LONG:
                         case SQL_INT64: return scaledToReal(loadInteger(c, p), c.scale);
                         case SQL_FLOAT: return widenFloat(load<float>(p));
                         case SQL_DOUBLE:
                         case SQL_D_FLOAT: return load<double>(p);
                         case SQL_TIMESTAMP: {
                             const auto ts = load<ISC_TIMESTAMP>(p);
                             return toDayNumber(ts.timestamp_date, ts.timestamp_time);
                         }
                         case SQL_TYPE_DATE: return toDayNumber(load<ISC_DATE>(p), 0);
                         case SQL_TYPE_TIME: return double(load<ISC_TIME>(p)) / 864000000.0;
                         case SQL_BOOLEAN: return load<FB_BOOLEAN>(p) ? 1 : 0;
                         default: cannotRead(c, "a real");
                         }
                     });
}

std::int32_t Cursor::asInteger(std::size_t column) const {
    const auto parse = [](std::string_view raw) -> std::optional<std::int32_t> {
        if (const auto whole = parseInt64(raw)) return roundToInt32(*whole, 0);
        if (const auto real = parseReal(raw)) return roundToInt32(*real);
        return std::nullopt;
    };
    return readTyped(*impl_, column, "integer value", std::int32_t{0}, parse,
                     [&](const Column& c, const unsigned char* p) -> std::int32_t {
                         std::optional<std::int32_t> v;
                         switch (c.type) {
                         case SQL_SHORT:
                         case SQL_LONG:
                         case SQL_INT64: v = roundToInt32(loadInteger(c, p), c.scale); break;
                         case SQL_FLOAT: v = roundToInt32(widenFloat(load<float>(p))); break;
                         case SQL_DOUBLE:
                         case SQL_D_FLOAT: v = roundToInt32(load<double>(p)); break;
                         case SQL_BOOLEAN: return load<FB_BOOLEAN>(p) ? 1 : 0;
                         default: cannotRead(c, "an integer");
                         }
                         if (!v) notValid(utf8ToWin1252(text(column)), "integer value");  // out of range
                         return *v;
                     });
}

DateTime Cursor::asDateTime(std::size_t column) const {
    return readTyped(*impl_, column, "date and time", DateTime{}, parseDateTime,
                     [](const Column& c, const unsigned char* p) -> DateTime {
                         switch (c.type) {
                         case SQL_TIMESTAMP:
                         case SQL_TYPE_DATE:
                         case SQL_TYPE_TIME: return loadMoment(c, p);
                         default: cannotRead(c, "a date and time");
                         }
                     });
}

}  // namespace db
