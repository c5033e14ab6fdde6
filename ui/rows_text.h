#pragma once
// The text that a report list's copy puts on the clipboard, the same in every front end.
#include <string>
#include <vector>

// The rows in the order given, cells separated by tabs, each row ending in lineEnd.
std::string RowsText(const std::vector<std::vector<std::string>>& rows, const char* lineEnd = "\n");
