// The game's command line. The game takes no arguments, yet answers --help and
// --version as every program is expected to, without opening a window; every
// other argument is ignored, and Qt is shown none of them.
#pragma once

#include <string>

namespace torvelo {

enum class Request { Play, Help, Version };

// The first of --help and --version that is given, or Play.
Request commandLineRequest(int argc, const char* const* argv);

// Usage in Japanese and English, for --help.
std::string helpText();

// "torvelo 1.0.0", for --version.
std::string versionText();

} // namespace torvelo
