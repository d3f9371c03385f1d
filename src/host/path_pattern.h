// A path pattern of an action item or dispatching component: matches the
// whole path information without regard to letter case, with "*", "?" and
// "[set]" wildcards.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class PathPattern {
public:
    // `configured` is the text as configured ("soap*"): every "\" becomes "/"
    // and a leading "/" is added when missing. Throws velmora::Exception
    // "'<pattern>' is an invalid mask at (<position>)" for a pattern with more
    // than 30 "*" groups or an unclosed set.
    explicit PathPattern(std::string_view configured);

    bool matches(std::string_view pathInfo) const noexcept;

    // The normalized pattern ("/soap*").
    const std::string& text() const noexcept { return text_; }

private:
    enum class Kind : unsigned char { Literal, AnyOne, AnyRun, Set };
    struct Token {
        Kind kind;
        char literal;          // Kind::Literal, lower case
        std::size_t setIndex;  // Kind::Set, index into sets_
    };

    bool tokenMatches(const Token& token, char c) const noexcept;

    std::string text_;
    std::vector<Token> tokens_;
    std::vector<std::bitset<256>> sets_;
};

}  // namespace host
