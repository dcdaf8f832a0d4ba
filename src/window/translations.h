// The few texts Qt draws for us (the edit box's own menu: undo, cut, paste and
// the rest) in Japanese, like every other text of the window.
#pragma once

namespace torvelo {

// Loads Qt's Japanese catalogue into the running application. Where it is not
// installed Qt's texts stay English and nothing else changes; says whether it
// was found.
bool useJapaneseQtTexts();

} // namespace torvelo
