#include "ui/rows_text.h"

std::string RowsText(const std::vector<std::vector<std::string>>& rows, const char* lineEnd)
{
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (size_t column = 0; column < row.size(); ++column) {
            if (column > 0)
                text += '\t';
            text += row[column];
        }
        text += lineEnd;
    }
    return text;
}
