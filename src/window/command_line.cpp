#include "window/command_line.h"

#include <string_view>

#ifndef TORVELO_VERSION
#error "TORVELO_VERSION comes from the build (the CMake project version)"
#endif

namespace torvelo {

Request commandLineRequest(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") return Request::Help;
        if (argument == "--version") return Request::Version;
    }
    return Request::Play;
}

std::string helpText() {
    return "使い方: torvelo [--help] [--version]\n"
           "Usage: torvelo [--help] [--version]\n"
           "\n"
           "9つの数字を 1 2 3 4 5 6 7 8 9 の順に戻すパズルです。\n"
           "Ｆ１〜Ｆ５ はそれぞれ決まった4つの数字の並びを反転します。\n"
           "A puzzle: put nine digits back in the order 1 2 3 4 5 6 7 8 9.\n"
           "F1 to F5 each reverse a fixed window of four of them.\n"
           "\n"
           "キー操作 / Keys:\n"
           "  F1〜F5        Ｆ１〜Ｆ５ を押す / press F1 to F5\n"
           "  Tab, Shift+Tab  ボタンと入力欄の間を移動 / move between the buttons and the box\n"
           "  Enter, Space  選んだボタンを押す / press the chosen button\n"
           "  Ctrl+C        中断して終了 (どのボタンも選ばれていないとき)\n"
           "                interrupt and end the game (while no control has the focus)\n"
           "\n"
           "  --help     この説明を表示して終了 / show this help and exit\n"
           "  --version  バージョンを表示して終了 / show the version and exit\n";
}

std::string versionText() {
    return std::string("torvelo ") + TORVELO_VERSION + "\n";
}

} // namespace torvelo
