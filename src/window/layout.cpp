#include "window/layout.h"

#ifndef TORVELO_CONTACT
#error "TORVELO_CONTACT comes from the build (CMake cache string of the same name)"
#endif

namespace torvelo {

namespace {

constexpr QRgb black = qRgb(0, 0, 0);
constexpr QRgb white = qRgb(255, 255, 255);
constexpr QRgb red = qRgb(255, 0, 0);
constexpr QRgb blue = qRgb(0, 0, 255);
constexpr QRgb magenta = qRgb(255, 0, 255);
constexpr QRgb yellow = qRgb(255, 255, 0);
constexpr QRgb cyan = qRgb(0, 255, 255);

constexpr auto label = ControlKind::Label;
constexpr auto ruler = ControlKind::Ruler;
constexpr auto button = ControlKind::Button;
constexpr auto edit = ControlKind::Edit;

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment centredTop = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment centred = Qt::AlignCenter;
constexpr Qt::Alignment editLeft = Qt::AlignLeft | Qt::AlignVCenter;

constexpr const char* pGothic = "ＭＳ Ｐゴシック";
constexpr const char* gothic = "ＭＳ ゴシック";
constexpr const char* heisei = "ＤＨＰ平成ゴシックW5";

} // namespace

// clang-format off
const std::array<ControlSpec, CONTROL_COUNT> LAYOUT{{
    // The heading TEXT1 had no row of its own; it fills the gap left of TEXT3
    // and above the ruler with the game's title, like the other black labels.
    {"TEXT1",   label,  44,  11, 330, 44, "Torvelo",            pGothic, 16, black,   white,  left,       true,  ""},
    {"TEXT2",   ruler,  143, 66, 220, 33, "１ 2 3 4 5 6 7 8 9", heisei,  16, magenta, white,  centredTop, true,  "数字の位置 1〜9"},
    {"BUTTON1", button, 44, 110,  77, 22, "Ｆ１",               pGothic, 12, black,   white,  centred,    false, "1〜4番目の数字を反転"},
    {"BUTTON2", button, 44, 154,  77, 22, "Ｆ２",               pGothic, 12, black,   white,  centred,    false, "2〜5番目の数字を反転"},
    {"BUTTON3", button, 44, 198,  77, 22, "Ｆ３",               pGothic, 12, black,   white,  centred,    false, "5〜8番目の数字を反転"},
    {"BUTTON4", button, 44, 242,  77, 22, "Ｆ４",               pGothic, 12, black,   white,  centred,    false, "6〜9番目の数字を反転"},
    {"BUTTON5", button, 44, 286,  77, 22, "Ｆ５",               pGothic, 12, black,   white,  centred,    false, "8、9、1、2番目の数字を両端をまたいで反転"},
    {"BUTTON6", button, 44, 341,  77, 22, "問題作成",           pGothic, 10, black,   white,  centred,    false, "新しい問題を作る"},
    {"BUTTON7", button, 44, 429,  77, 22, "解答",               pGothic, 10, black,   white,  centred,    false, "解答を表示"},
    {"EDIT1",   edit,   132, 341, 44, 22, "",                   pGothic, 10, blue,    white,  editLeft,   false, "問題の手数"},
    {"TEXT11",  label,  374, 110, 253, 33, "",                  gothic,  16, black,   white,  left,       true,  "4手前の並び"},
    {"TEXT12",  label,  374, 154, 253, 33, " ",                 gothic,  16, black,   white,  left,       true,  "3手前の並び"},
    {"TEXT13",  label,  374, 198, 253, 33, " ",                 gothic,  16, black,   white,  left,       true,  "2手前の並び"},
    {"TEXT14",  label,  374, 242, 253, 33, " ",                 gothic,  16, black,   white,  left,       true,  "1手前の並び"},
    {"TEXT15",  label,  374, 286, 253, 33, " ",                 gothic,  16, black,   white,  left,       true,  "現在の並び"},
    {"TEXT16",  label,  363,  66,  88, 22, "変換回数",          pGothic, 12, red,     yellow, left,       true,  ""},
    {"TEXT17",  label,  473,  66, 154, 22, "",                  pGothic, 13, blue,    white,  left,       true,  "変換回数"},
    {"BUTTON8", button, 209, 341,  77, 22, "やり直し",          pGothic, 10, black,   white,  centred,    false, "問題を最初からやり直す"},
    {"TEXT18",  label,  44,  385,  77, 22, " 操作順序",         pGothic, 10, black,   cyan,   left,       true,  ""},
    {"TEXT3",   label,  418,  22, 198, 22, TORVELO_CONTACT,     gothic,  10, black,   white,  left,       true,  "連絡先"},
    {"TEXT4",   label,  132, 385, 495, 22, "",                  gothic,  14, blue,    white,  left,       true,  "操作順序"},
    {"TEXT5",   label,  132, 429, 484, 22, " ",                 gothic,  14, red,     white,  left,       true,  "解答"},
}};
// clang-format on

} // namespace torvelo
