// NUMBER_TEXT on any float bit pattern (the first four bytes, little-endian).
// For finite nonzero values the text must be in the number form and must
// stand for the value rounded half up to six significant digits, where the
// exact decimal expansion comes from big-integer arithmetic of our own, not
// from any formatting routine. NaN and infinities must only not crash.
#include "text/text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A decimal number d1.d2...dk x 10^exponent, d1 nonzero, dk nonzero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool operator==(const Decimal&) const = default;
};

std::string stripTrailingZeros(std::string s) {
    while (s.size() > 1 && s.back() == '0')
        s.pop_back();
    return s;
}

// The exact value of a positive finite float: its significand times a power
// of two, multiplied out in base 10^9.
Decimal exactly(std::uint32_t bits) {
    const std::uint32_t biased = bits >> 23 & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    const std::uint32_t significand = biased == 0 ? fraction : fraction | 1u << 23;
    const int power = biased == 0 ? -149 : static_cast<int>(biased) - 150;

    std::vector<std::uint32_t> limbs{significand % 1'000'000'000, significand / 1'000'000'000};
    auto multiply = [&](std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (auto& limb : limbs) {
            const std::uint64_t product = std::uint64_t(limb) * factor + carry;
            limb = static_cast<std::uint32_t>(product % 1'000'000'000);
            carry = product / 1'000'000'000;
        }
        if (carry) limbs.push_back(static_cast<std::uint32_t>(carry));
    };
    // significand * 2^power, or significand * 5^-power * 10^power.
    for (int i = 0; i < std::abs(power); ++i)
        multiply(power >= 0 ? 2 : 5);
    while (limbs.size() > 1 && limbs.back() == 0)
        limbs.pop_back();

    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(limbs[i]);
        digits += std::string(9 - limb.size(), '0') + limb;
    }
    const int exponent = static_cast<int>(digits.size()) - 1 + (power < 0 ? power : 0);
    return {stripTrailingZeros(digits), exponent};
}

// Half up at the sixth significant digit, as whole-number arithmetic on the
// first seven.
Decimal roundedToSix(const Decimal& exact) {
    std::string seven = exact.digits.substr(0, 7);
    seven.resize(7, '0');
    long six = (std::stol(seven) + 5) / 10;
    int exponent = exact.exponent;
    if (six == 1'000'000) {
        six = 100'000;
        ++exponent;
    }
    return {stripTrailingZeros(std::to_string(six)), exponent};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Form {
    bool valid = false;
    bool exponentForm = false;
    Decimal value;
};

// Reads a text of the number form, without its first character, or says it is
// not one: "123", "12.5", ".005" (no zero before the point, no trailing zero
// after it), "1.5E+07" (one digit before the point, a sign, two digits).
Form readForm(std::string_view t) {
    Form f;
    std::size_t p = 0;
    while (p < t.size() && isDigit(t[p]))
        ++p;
    const std::string_view whole = t.substr(0, p);
    std::string_view fraction;
    if (p < t.size() && t[p] == '.') {
        const std::size_t from = ++p;
        while (p < t.size() && isDigit(t[p]))
            ++p;
        fraction = t.substr(from, p - from);
        if (fraction.empty() || fraction.back() == '0') return f;
    }
    if (whole.empty() && fraction.empty()) return f;
    if (!whole.empty() && whole[0] == '0') return f;
    int exponent = 0;
    if (p < t.size()) {
        const std::string_view tail = t.substr(p);
        if (tail.size() != 4 || tail[0] != 'E' || (tail[1] != '+' && tail[1] != '-') ||
            !isDigit(tail[2]) || !isDigit(tail[3]) || whole.size() != 1)
            return f;
        exponent = (tail[2] - '0') * 10 + (tail[3] - '0');
        if (tail[1] == '-') exponent = -exponent;
        if (exponent == 0 && tail[1] == '-') return f;
        f.exponentForm = true;
    }
    const std::string all = std::string(whole) + std::string(fraction);
    const std::size_t lead = all.find_first_not_of('0');
    if (lead == std::string::npos) return f;
    f.value = {stripTrailingZeros(all.substr(lead)),
               static_cast<int>(whole.size()) - 1 - static_cast<int>(lead) + exponent};
    f.valid = true;
    return f;
}

[[noreturn]] void fail(float x, const std::string& text, const char* what, const Decimal& want) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    std::fprintf(stderr, "NUMBER_TEXT(%a, bits %08X) = \"%s\": %s; want digits %s, exponent %d\n",
                 double(x), bits, text.c_str(), what, want.digits.c_str(), want.exponent);
    std::abort();
}

void check(float x) {
    const std::string text = torvelo::NUMBER_TEXT(x);
    if (text.empty()) fail(x, text, "empty", {});
    if (!std::isfinite(x)) return;
    if (x == 0) {
        if (text != " 0") fail(x, text, "zero is not \" 0\"", {"0", 0});
        return;
    }

    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const Decimal want = roundedToSix(exactly(bits & 0x7FFFFFFF));

    if (text[0] != (x < 0 ? '-' : ' ')) fail(x, text, "wrong first character", want);
    const Form form = readForm(std::string_view(text).substr(1));
    if (!form.valid) fail(x, text, "not in the number form", want);
    if (!(form.value == want)) fail(x, text, "another value", want);

    const int k = static_cast<int>(want.digits.size());
    const int e = want.exponent;
    const bool fixed = (e >= 0 && e <= 5) || (e < 0 && -e - 1 + k <= 6);
    if (form.exponentForm == fixed) fail(x, text, "the other form", want);

    // Read back through the C library, and through the game's own rule, which
    // reads the exponent form in single precision.
    const std::string written = want.digits + "e" + std::to_string(e - k + 1);
    const double magnitude = std::strtod(written.c_str(), nullptr);
    const double readBack = std::strtod(text.c_str(), nullptr);
    if (readBack != (x < 0 ? -magnitude : magnitude))
        fail(x, text, "strtod reads another value", want);
    const double ours = torvelo::TEXT_NUMBER(text);
    const double wantOurs =
        form.exponentForm ? double(std::strtof(text.c_str(), nullptr)) : readBack;
    if (ours != wantOurs) fail(x, text, "TEXT_NUMBER reads another value", want);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = bits << 8 | data[i];
    float x;
    std::memcpy(&x, &bits, sizeof x);
    check(x);
    return 0;
}
