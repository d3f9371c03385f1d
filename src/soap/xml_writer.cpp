// Escaping, done once as a text is appended, and the streaming writer that
// every document goes through.
#include "soap/xml_writer.h"

#include "common/win1252.h"

#include <array>
#include <charconv>

namespace soap {

// --- Escaping

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Minimal: ">" is escaped only where it would close "]]>", which character
// data may not contain.
enum class Escape { Text, Attribute, Minimal };

// true: the ASCII byte is copied as it stands.
constexpr std::array<bool, 256> plainBytes(Escape mode) {
    std::array<bool, 256> t{};
    for (std::size_t c = 0x20; c <= 0x7F; ++c) t[c] = true;
    t['&'] = false;
    t['<'] = false;
    if (mode == Escape::Text) {
        t['>'] = false;
        t['\t'] = t['\n'] = true;
    } else if (mode == Escape::Attribute) {
        t['"'] = false;
    } else {
        t['>'] = false;  // checked for "]]>"
        t['\t'] = t['\n'] = t['\r'] = true;
    }
    return t;
}

constexpr auto kPlainText = plainBytes(Escape::Text);
constexpr auto kPlainAttribute = plainBytes(Escape::Attribute);
constexpr auto kPlainMinimal = plainBytes(Escape::Minimal);

// Runs of plain bytes and of valid multi-byte characters are copied in one
// go; only what needs a reference or a replacement is written on its own.
template <Escape mode>
void appendEscaped(std::string& out, std::string_view s) {
    constexpr const std::array<bool, 256>& plain =
        mode == Escape::Text ? kPlainText : (mode == Escape::Attribute ? kPlainAttribute : kPlainMinimal);
    std::size_t run = 0;  // the first byte not copied yet
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (plain[c]) {
            ++i;
            continue;
        }
        if (c >= 0x80) {
            if (const std::size_t n = xmlCharLength(s, i)) {
                i += n;
                continue;
            }
        }
        out.append(s.data() + run, i - run);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>':
            if (mode == Escape::Minimal && !(i >= 2 && s[i - 1] == ']' && s[i - 2] == ']'))
                out += '>';
            else
                out += "&gt;";
            break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += kReplacement; break;  // a control character or a byte that starts no XML character
        }
        run = ++i;
    }
    out.append(s.data() + run, i - run);
}

}  // namespace

void appendXmlText(std::string& out, std::string_view utf8) { appendEscaped<Escape::Text>(out, utf8); }
void appendXmlAttribute(std::string& out, std::string_view utf8) { appendEscaped<Escape::Attribute>(out, utf8); }
void appendMinimalXmlText(std::string& out, std::string_view utf8) { appendEscaped<Escape::Minimal>(out, utf8); }

namespace {

// What each WIN1252 byte becomes as escaped UTF-8 element content, worked
// out once through the two steps it stands for (to UTF-8, then escaped), so
// that a database text is written in one pass with the same bytes.
struct Win1252Escapes {
    std::array<bool, 256> plain{};             // the byte stands as it is
    std::array<std::string, 256> replacement;  // what it becomes otherwise
    Win1252Escapes() {
        for (std::size_t b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            appendXmlText(replacement[b], velmora::win1252ToUtf8({&byte, 1}));
            plain[b] = replacement[b].size() == 1 && replacement[b][0] == byte;
        }
    }
};

}  // namespace

void appendWin1252XmlText(std::string& out, std::string_view win1252) {
    static const Win1252Escapes escapes;
    std::size_t run = 0;
    for (std::size_t i = 0; i < win1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(win1252[i]);
        if (escapes.plain[byte]) continue;
        out.append(win1252.data() + run, i - run);
        out += escapes.replacement[byte];
        run = i + 1;
    }
    out.append(win1252.data() + run, win1252.size() - run);
}

// --- Writing

XmlWriter& XmlWriter::declaration(std::string_view encoding) {
    *out_ += "<?xml version=\"1.0\"";
    if (!encoding.empty()) {
        *out_ += " encoding=\"";
        appendXmlAttribute(*out_, encoding);
        *out_ += '"';
    }
    *out_ += "?>";
    return *this;
}

XmlWriter& XmlWriter::start(std::string_view qname) {
    closeStartTag();
    *out_ += '<';
    *out_ += qname;
    tagOpen_ = true;
    return *this;
}

XmlWriter& XmlWriter::attribute(std::string_view qname, std::string_view value) {
    return writeAttribute({}, qname, value);
}

XmlWriter& XmlWriter::namespaceDeclaration(std::string_view prefix, std::string_view ns) {
    return writeAttribute("xmlns:", prefix, ns);
}

XmlWriter& XmlWriter::writeAttribute(std::string_view namePrefix, std::string_view name, std::string_view value) {
    *out_ += ' ';
    *out_ += namePrefix;
    *out_ += name;
    *out_ += "=\"";
    appendXmlAttribute(*out_, value);
    *out_ += '"';
    return *this;
}

XmlWriter& XmlWriter::end(std::string_view qname) {
    if (tagOpen_) {
        *out_ += "/>";
        tagOpen_ = false;
        return *this;
    }
    *out_ += "</";
    *out_ += qname;
    *out_ += '>';
    return *this;
}

XmlWriter& XmlWriter::element(std::string_view qname, std::string_view utf8) {
    start(qname);
    if (!utf8.empty()) text(utf8);
    return end(qname);
}

XmlWriter& XmlWriter::integer(std::int64_t value) {
    closeStartTag();
    char digits[24];
    out_->append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
}

ElementTags::ElementTags(std::string_view qname, std::string_view attributeName, std::string_view attributeValue) {
    std::string head;
    XmlWriter(head).start(qname).attribute(attributeName, attributeValue);
    start = head + '>';
    empty = head + "/>";
    end = "</" + std::string(qname) + '>';
}

}  // namespace soap
