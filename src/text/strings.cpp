#include "text/text.h"

namespace torvelo {

const char* FatalError::what() const noexcept {
    return code_ == Overflow ? "overflow" : code_ == IllegalArgument ? "illegal argument" : "error";
}

const char* GameEnded::what() const noexcept {
    return reason_ == Reason::Interrupted ? "interrupted" : "closed";
}

const char* WindowNotOpened::what() const noexcept {
    return "the window cannot be opened";
}

namespace {
void requireCount(std::int64_t n) {
    if (n < 0) throw FatalError(FatalError::IllegalArgument);
}
} // namespace

Text BLANKS(std::int64_t n) {
    requireCount(n);
    return Text(static_cast<std::size_t>(n), ' ');
}

Text RIGHT_TEXT(std::string_view t, std::int64_t n) {
    requireCount(n);
    const auto size = static_cast<std::int64_t>(t.size());
    return Text(n >= size ? t : t.substr(static_cast<std::size_t>(size - n)));
}

Text MID_TEXT(std::string_view t, std::int64_t p, std::int64_t n) {
    if (p < 1) throw FatalError(FatalError::IllegalArgument);
    requireCount(n);
    const auto size = static_cast<std::int64_t>(t.size());
    if (p > size) return Text();
    return Text(t.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(n)));
}

Text CHAR_TEXT(std::int64_t c) {
    if (c < 0 || c > 255) throw FatalError(FatalError::IllegalArgument);
    return Text(1, static_cast<char>(static_cast<unsigned char>(c)));
}

} // namespace torvelo
