#include "window/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace torvelo {

namespace {

bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One conversion descriptor per direction for the whole run: opening one costs
// more than converting a label's text.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        // iconv_open reports failure as (iconv_t)-1.
        if (cd_ == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw Cp932Unavailable(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the bytes left unconverted at the
    // first sequence it rejects (EILSEQ), or at an incomplete one (EINVAL).
    std::string_view convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        for (;;) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result != static_cast<std::size_t>(-1)) break;
            if (errno != E2BIG) break;
        }
        return {inPtr, inLeft};
    }

  private:
    iconv_t cd_;
};

Converter& fromCp932() {
    static Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& toCp932() {
    static Converter converter("CP932", "UTF-8");
    return converter;
}

} // namespace

QString displayText(std::string_view bytes) {
    static const std::string replacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
    std::string utf8;
    utf8.reserve(bytes.size() * 3 / 2);
    while (!bytes.empty()) {
        bytes = fromCp932().convert(bytes, utf8);
        if (bytes.empty()) break;
        utf8 += replacement;
        bytes.remove_prefix(1);
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text cp932Text(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::string_view rest(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    Text result;
    while (!rest.empty()) {
        rest = toCp932().convert(rest, result);
        if (rest.empty()) break;
        result += '?';
        // Skip the whole UTF-8 sequence of the character cp932 has no form for.
        std::size_t length = 1;
        while (length < rest.size() && (static_cast<unsigned char>(rest[length]) & 0xC0) == 0x80)
            ++length;
        rest.remove_prefix(length);
    }
    return result;
}

std::size_t cp932Prefix(std::string_view bytes, std::size_t maxBytes) {
    if (bytes.size() <= maxBytes) return bytes.size();
    std::size_t end = 0;
    while (end < maxBytes) {
        const std::size_t next =
            isLeadByte(static_cast<unsigned char>(bytes[end])) ? end + 2 : end + 1;
        if (next > maxBytes) break;
        end = next;
    }
    return end;
}

} // namespace torvelo
