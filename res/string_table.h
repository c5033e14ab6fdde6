#pragma once
// The string table: the About item (101) and the structure captions (1000 + type).

constexpr unsigned kIdsAboutItem = 101;
constexpr unsigned kIdsCaptionBase = 1000;

// The string with that id, or "" when the table has none.
const char* LoadResString(unsigned id);
