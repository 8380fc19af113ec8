#pragma once
// Texts from the registry as a person may see them: a key name or value may hold control
// characters (a NUL, a tab, a line break, an escape sequence), which a list row, a message box
// or a console would swallow, act on or break a line at. Shown as their Unicode control
// pictures, two names that differ only there never look alike and no output line can be forged.
// Only for showing: the registry is always addressed by the stored text. Platform-free.
#include <string>
#include <string_view>

// Every character below U+0020 as U+2400 plus its code (NUL ␀, TAB ␉, LF ␊, ESC ␛) and DEL
// (U+007F) as U+2421 ␡; everything else as it is.
std::wstring WithControlPictures(std::wstring_view text);
