#include "text/text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <system_error>

namespace torvelo {
namespace {

// The first seven significant decimal digits of a positive finite value, cut
// off (not rounded) after the seventh, and the decimal exponent of the first.
// The rounding of the number form looks at the seventh digit alone, so the
// digits must be exact: a correctly rounded seven- or eight-digit form would
// round 1.2345649999 up to ...65 and then round the sixth digit wrongly.
struct SevenDigits {
    char digit[7];
    int exponent;
};

SevenDigits sevenDigits(float magnitude) {
    SevenDigits out{};
    if (magnitude < 16777216.0f && magnitude == std::floor(magnitude)) {
        // Whole numbers below 2^24, the counts and digits the game shows: at
        // most eight digits, so the buffer always holds them.
        char buf[8] = {};
        const auto written =
            std::to_chars(std::begin(buf), std::end(buf), static_cast<std::uint32_t>(magnitude));
        const std::string_view digits(buf, static_cast<std::size_t>(written.ptr - buf));
        for (std::size_t i = 0; i < 7; ++i)
            out.digit[i] = i < digits.size() ? digits[i] : '0';
        out.exponent = static_cast<int>(digits.size()) - 1;
        return out;
    }
    // Every float is exact in at most 112 significant digits; with 120 after the
    // first, to_chars writes the exact expansion and rounds nothing.
    char buf[160] = {};
    const auto written =
        std::to_chars(std::begin(buf), std::end(buf), static_cast<double>(magnitude),
                      std::chars_format::scientific, 120);
    // d.ddd...e[+-]xx
    const std::string_view text(buf, static_cast<std::size_t>(written.ptr - buf));
    out.digit[0] = text[0];
    for (std::size_t i = 1; i < 7; ++i)
        out.digit[i] = text[i + 1];
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
    out.exponent = text[e + 1] == '-' ? -exponent : exponent;
    return out;
}

} // namespace

Text NUMBER_TEXT(float x) {
    if (x == 0) return " 0";
    Text out(1, x < 0 ? '-' : ' ');
    if (std::isnan(x)) return out + "NAN";
    if (std::isinf(x)) return out + "INF";

    SevenDigits s = sevenDigits(std::fabs(x));
    char d[6];
    for (int i = 0; i < 6; ++i)
        d[i] = s.digit[i];
    int e = s.exponent;
    if (s.digit[6] >= '5') {
        int i = 5;
        while (i >= 0 && d[i] == '9')
            d[i--] = '0';
        if (i >= 0) {
            ++d[i];
        } else {
            d[0] = '1'; // 999999.5 becomes 1E+06
            ++e;
        }
    }
    int k = 6;
    while (k > 1 && d[k - 1] == '0')
        --k;

    if (e >= 0 && e <= 5) {
        for (int i = 0; i <= e; ++i)
            out += i < k ? d[i] : '0';
        if (k > e + 1) {
            out += '.';
            out.append(d + e + 1, d + k);
        }
    } else if (e < 0 && (-e - 1) + k <= 6) {
        out += '.';
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out.append(d, d + k);
    } else {
        out += d[0];
        if (k > 1) {
            out += '.';
            out.append(d + 1, d + k);
        }
        out += 'E';
        out += e < 0 ? '-' : '+';
        const int magnitude = e < 0 ? -e : e;
        if (magnitude >= 100) out += static_cast<char>('0' + magnitude / 100);
        out += static_cast<char>('0' + magnitude / 10 % 10);
        out += static_cast<char>('0' + magnitude % 10);
    }
    return out;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the leading decimal number of a text lies, with the decimal exponent of
// its first significant digit estimated from the positions of the digits and
// the written exponent. The estimate tells an overflow from an underflow when
// the conversion gives neither; texts of any length are scanned once.
struct Scanned {
    const char* begin; // after the sign
    const char* end;   // first byte not part of the number
    bool negative = false;
    bool hasExponent = false; // an E or e followed by digits
    bool allZero = true;
    std::int64_t order = 0; // decimal exponent of the first significant digit
};

Scanned scan(const char* p, const char* end) {
    Scanned s{p, p};
    if (p != end && (*p == '+' || *p == '-')) {
        s.negative = *p == '-';
        s.begin = ++p;
    }
    std::int64_t intDigits = 0; // significant digits before the point
    std::int64_t leadingFractionZeros = 0;
    for (; p != end && isDigit(*p); ++p) {
        if (*p != '0' || !s.allZero) {
            s.allZero = false;
            ++intDigits;
        }
    }
    if (p != end && *p == '.') {
        ++p;
        for (; p != end && isDigit(*p); ++p) {
            if (*p != '0') s.allZero = false;
            if (s.allZero) ++leadingFractionZeros;
        }
    }
    s.order = intDigits > 0 ? intDigits - 1 : -leadingFractionZeros - 1;
    s.end = p;
    if (p != end && (*p == 'E' || *p == 'e')) {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (q != end && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
        if (q != end && isDigit(*q)) {
            s.hasExponent = true;
            std::int64_t exponent = 0;
            for (; q != end && isDigit(*q); ++q) {
                // Past a billion the exponent only ever means overflow or zero.
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (*q - '0');
            }
            s.order += negativeExponent ? -exponent : exponent;
            s.end = q;
        }
        // An exponent letter without digits is not part of the number: "1e" is 1.
    }
    return s;
}

} // namespace

// Reads blanks, then a sign, digits, a point, digits and an exponent, and
// stops at the first blank or the first byte that cannot continue the number.
// Pasted text can hold anything, so some forms need a reading of their own:
// - "+.", "-." and "+.e5" hold no digit and read as 0;
// - an exponent letter without digits ends the number before it ("2e", "2e+"
//   read as 2), as any other letter would;
// - any number of digits is read at its correctly rounded value, and overflow
//   is decided on that value, so a megabyte of digits costs one linear scan;
// - a nonzero value too small for its form (single precision with an exponent,
//   double without) reads as 0; one that only fits as a subnormal keeps that
//   value.
double TEXT_NUMBER(std::string_view t) {
    const char* p = t.data();
    const char* const end = p + t.size();
    while (p != end && *p == ' ')
        ++p;
    if (p == end) return 0;

    // Only the text before the first blank is read.
    const char* stop = p;
    while (stop != end && *stop != ' ')
        ++stop;

    auto startsNumber = [&](const char* q) {
        if (q == stop) return false;
        if (isDigit(*q)) return true;
        if (*q == '.') return q + 1 != stop && isDigit(q[1]);
        if (*q == '+' || *q == '-') return q + 1 != stop && (isDigit(q[1]) || q[1] == '.');
        return false;
    };
    if (!startsNumber(p)) return 0;

    const Scanned s = scan(p, stop);
    if (s.allZero) return 0;

    double value = 0;
    std::errc ec{};
    if (s.hasExponent) {
        float single = 0;
        ec = std::from_chars(s.begin, s.end, single, std::chars_format::general).ec;
        value = single;
    } else {
        ec = std::from_chars(s.begin, s.end, value, std::chars_format::fixed).ec;
    }
    if (ec == std::errc::result_out_of_range) {
        if (s.order > 0) throw FatalError(FatalError::Overflow);
        value = 0;
    } else if (std::isinf(value)) {
        throw FatalError(FatalError::Overflow);
    }
    return s.negative ? -value : value;
}

float SINGLE(double x) {
    // Rounding to nearest gives infinity from 2^128 - 2^103 on, half an ulp
    // above the largest float: 3.4028235E+38 still fits, 3.4028236E+38 does not.
    const float single = static_cast<float>(x);
    if (std::isinf(single) || std::isnan(single)) throw FatalError(FatalError::Overflow);
    return single;
}

std::int16_t CELL(double x) {
    const double whole = std::nearbyint(x);
    if (!(whole >= -32768 && whole <= 32767)) throw FatalError(FatalError::Overflow);
    return static_cast<std::int16_t>(whole);
}

std::int32_t WHOLE_NUMBER(double x) {
    // std::round is exactly "add or subtract one half, then cut": without the
    // inexact addition that turns 0.49999999999999994 into 1.
    const double whole = std::round(x);
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) throw FatalError(FatalError::Overflow);
    return static_cast<std::int32_t>(whole);
}

double FLOOR(double x) {
    return std::floor(x);
}

// The value is taken as a 32-bit pattern: -1 and 4294967295 are both
// FFFFFFFF. Values that no 32 bits hold, signed or unsigned, are an overflow.
Text HEX_TEXT(double x) {
    const double whole = std::nearbyint(x);
    if (!(whole >= -2147483648.0 && whole <= 4294967295.0)) throw FatalError(FatalError::Overflow);
    const auto bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(whole));
    char buf[8];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, bits, 16);
    (void)ec;
    Text out(buf, end);
    for (char& c : out) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

} // namespace torvelo
