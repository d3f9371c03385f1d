// Windows-1252 <-> UTF-8 with a fixed table for 0x80-0x9F; 0xA0-0xFF equal
// their Latin-1 code points.
#include "common/win1252.h"

#include "common/text.h"

namespace velmora {
namespace {

// Code points of bytes 0x80-0x9F. The undefined bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) keep their C1 code points so that they survive a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// UTF-8 form of every byte 0x80-0xFF, computed at compile time.
struct Utf8Table {
    unsigned char len[128];
    char bytes[128][3];
    constexpr Utf8Table() : len{}, bytes{} {
        for (int b = 0x80; b <= 0xFF; ++b) {
            const char32_t cp = b < 0xA0 ? kHigh[b - 0x80] : char32_t(b);
            const int i = b - 0x80;
            if (cp < 0x800) {
                len[i] = 2;
                bytes[i][0] = char(0xC0 | (cp >> 6));
                bytes[i][1] = char(0x80 | (cp & 0x3F));
            } else {
                len[i] = 3;
                bytes[i][0] = char(0xE0 | (cp >> 12));
                bytes[i][1] = char(0x80 | ((cp >> 6) & 0x3F));
                bytes[i][2] = char(0x80 | (cp & 0x3F));
            }
        }
    }
};
constexpr Utf8Table kUtf8{};

char fromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return char(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return char(0x80 + i);
    return '?';
}

}  // namespace

void appendWin1252AsUtf8(std::string_view in, std::string& out) {
    const char* p = in.data();
    const char* const end = p + in.size();
    while (p != end) {
        // Copy runs of ASCII in one go: most database text is plain ASCII.
        const char* run = p;
        while (run != end && static_cast<unsigned char>(*run) < 0x80) ++run;
        out.append(p, run);
        p = run;
        while (p != end && static_cast<unsigned char>(*p) >= 0x80) {
            const int i = static_cast<unsigned char>(*p) - 0x80;
            out.append(kUtf8.bytes[i], kUtf8.len[i]);
            ++p;
        }
    }
}

void appendUtf8AsWin1252(std::string_view in, std::string& out) {
    for (std::size_t i = 0; i < in.size();) {
        if (static_cast<unsigned char>(in[i]) < 0x80) {
            out.push_back(in[i++]);
            continue;
        }
        const Utf8Char c = decodeUtf8(in, i, Utf8Errors::Reject);
        // One '?' for a malformed sequence's first byte; what follows is read afresh.
        out.push_back(c.length == 0 ? '?' : fromCodePoint(c.codePoint));
        i += c.length == 0 ? 1 : c.length;
    }
}

std::string win1252ToUtf8(std::string_view win1252) {
    std::string out;
    out.reserve(win1252.size());
    appendWin1252AsUtf8(win1252, out);
    return out;
}

std::string utf8ToWin1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    appendUtf8AsWin1252(utf8, out);
    return out;
}

}  // namespace velmora
