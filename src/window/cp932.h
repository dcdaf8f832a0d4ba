// The one place where the game's cp932 texts meet Qt's Unicode strings.
#pragma once

#include "text/text.h"

#include <QString>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace torvelo {

// The system has no cp932 converter (iconv without its CP932 module): the
// window cannot show a single one of its texts.
class Cp932Unavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text as the window shows it. A byte sequence that is not cp932 shows as
// U+FFFD, one per byte, so that no text the engine writes is refused.
QString displayText(std::string_view bytes);

// The cp932 form of what the player typed or pasted; a character that cp932
// cannot hold becomes "?".
Text cp932Text(const QString& text);

// The length of the longest start of bytes that holds at most maxBytes bytes
// and does not end inside a double-byte character.
std::size_t cp932Prefix(std::string_view bytes, std::size_t maxBytes);

} // namespace torvelo
