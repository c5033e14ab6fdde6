#pragma once
// What both fuzz targets do with a table once its bytes are in place: every reader
// operation, the tree, every decoder and the views, with the checks that must hold
// for any input. A failed check aborts, which libFuzzer reports as a crash.
#include <cstdint>
#include <string>
#include <vector>

// Opens a dump held in memory and runs everything on it.
void ExerciseDump(std::vector<uint8_t> bytes);

// True when text is one valid JSON value in UTF-8 (the views' output, so no
// extensions and no leading or trailing garbage beyond white space).
bool IsValidJson(const std::string& text);
