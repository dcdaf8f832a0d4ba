// TEXT_NUMBER on any bytes: it gives a value or the overflow error, never
// anything else, in time linear in the text, and the value is the one an
// oracle written apart from it computes.
//
// Most inputs are read as they are. One that starts with 0xFF (as a text it
// could only read 0) builds a longer text instead, so that the fuzzer reaches
// long runs of digits (past the 800 the oracle keeps, past what a double's
// rounding looks at) without long inputs: 0xFF, a count byte c, then PREFIX
// 0xFF BODY 0xFF SUFFIX gives PREFIX, BODY repeated c times, SUFFIX, cut at a
// megabyte. scripts/fuzz also runs a few texts of a megabyte once each, under
// a time limit.
#include "text/text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Expected {
    bool overflow = false;
    double value = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view digitsAt(std::string_view s, std::size_t& p) {
    const std::size_t from = p;
    while (p < s.size() && isDigit(s[p]))
        ++p;
    return s.substr(from, p - from);
}

// The rule read straight: blanks, the cut at the first blank, whether a number
// starts, the longest prefix of the decimal form. The value comes from the C
// library's strtod/strtof (correctly rounded, and no code shared with the
// game's from_chars) on a short normalised copy: the significant digits, cut
// after 800 with a 1 standing for any nonzero digit beyond (more than any
// rounding of a double can look at), and the exponent of the first.
Expected oracle(std::string_view t) {
    const std::size_t first = t.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::string_view s = t.substr(first);
    s = s.substr(0, s.find(' '));

    const bool sign = s[0] == '+' || s[0] == '-';
    const bool negative = s[0] == '-';
    const std::string_view rest = sign ? s.substr(1) : s;
    const bool starts = sign ? !rest.empty() && (isDigit(rest[0]) || rest[0] == '.')
                             : isDigit(s[0]) || (s[0] == '.' && s.size() > 1 && isDigit(s[1]));
    if (!starts) return {};

    std::size_t p = 0;
    const std::string_view whole = digitsAt(rest, p);
    std::string_view fraction;
    if (p < rest.size() && rest[p] == '.') {
        ++p;
        fraction = digitsAt(rest, p);
    }
    bool hasExponent = false;
    std::int64_t exponent = 0;
    if (p < rest.size() && (rest[p] == 'e' || rest[p] == 'E')) {
        std::size_t q = p + 1;
        bool negativeExponent = false;
        if (q < rest.size() && (rest[q] == '+' || rest[q] == '-'))
            negativeExponent = rest[q++] == '-';
        const std::string_view digits = digitsAt(rest, q);
        if (!digits.empty()) {
            hasExponent = true;
            // Far past any value's reach: more is overflow or zero just the same.
            for (char c : digits)
                exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000'000'000);
            if (negativeExponent) exponent = -exponent;
        }
    }

    const std::string mantissa = std::string(whole) + std::string(fraction);
    const std::size_t lead = mantissa.find_first_not_of('0');
    if (lead == std::string::npos) return {}; // zero, or no digit at all ("+.")
    const std::size_t last = mantissa.find_last_not_of('0');
    const std::int64_t order =
        static_cast<std::int64_t>(whole.size()) - 1 - static_cast<std::int64_t>(lead) + exponent;
    if (order > 400) return {true, 0};
    if (order < -400) return {};

    std::string normal = "0.";
    const std::size_t count = last - lead + 1;
    normal.append(mantissa, lead, std::min<std::size_t>(count, 800));
    if (count > 800) normal += '1';
    normal += 'e' + std::to_string(order + 1);
    const double value = hasExponent ? double(std::strtof(normal.c_str(), nullptr))
                                     : std::strtod(normal.c_str(), nullptr);
    if (std::isinf(value)) return {true, 0};
    return {false, negative ? -value : value};
}

[[noreturn]] void fail(std::string_view text, const char* what, double got, const Expected& want) {
    std::fprintf(stderr, "TEXT_NUMBER of %zu bytes", text.size());
    if (text.size() <= 400) {
        std::fprintf(stderr, " \"");
        for (unsigned char c : text)
            std::fprintf(stderr, c >= 32 && c < 127 && c != '"' ? "%c" : "\\x%02X", c);
        std::fprintf(stderr, "\"");
    }
    std::fprintf(stderr, ": %s; got %.17g, want %s %.17g\n", what, got,
                 want.overflow ? "overflow" : "value", want.value);
    std::abort();
}

void check(std::string_view text) {
    const Expected want = oracle(text);
    double got = 0;
    try {
        got = torvelo::TEXT_NUMBER(text);
    } catch (const torvelo::FatalError& e) {
        if (e.code() != torvelo::FatalError::Overflow)
            fail(text, "threw an error other than overflow", 0, want);
        if (!want.overflow) fail(text, "overflowed", 0, want);
        return;
    }
    if (want.overflow) fail(text, "did not overflow", got, want);
    if (got != want.value) fail(text, "gave another value", got, want);
}

std::string longText(std::string_view input) {
    const std::size_t count = static_cast<unsigned char>(input[0]);
    std::string_view rest = input.substr(1);
    const std::size_t bodyAt = rest.find('\xFF');
    const std::string_view prefix = rest.substr(0, bodyAt);
    std::string_view body, suffix;
    if (bodyAt != std::string_view::npos) {
        rest = rest.substr(bodyAt + 1);
        const std::size_t suffixAt = rest.find('\xFF');
        body = rest.substr(0, suffixAt);
        if (suffixAt != std::string_view::npos) suffix = rest.substr(suffixAt + 1);
    }
    constexpr std::size_t megabyte = 1 << 20;
    std::string text(prefix);
    for (std::size_t i = 0; i < count && text.size() < megabyte; ++i)
        text += body;
    text += suffix;
    if (text.size() > megabyte) text.resize(megabyte);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (size >= 2 && data[0] == 0xFF)
        check(longText(input.substr(1)));
    else
        check(input);
    return 0;
}
