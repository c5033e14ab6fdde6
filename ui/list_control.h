#pragma once
// The report-style list control that the detail window's logic drives. Texts are
// 8-bit, as the table holds them; adapters decide how to show them.
#include <cstddef>
#include <cstdint>
#include <string>

class IListControl {
public:
    virtual ~IListControl() = default;
    // Inserts a left-aligned column; returns its index.
    virtual int InsertColumn(int index, const std::string& heading, int width) = 0;
    virtual bool DeleteColumn(int index) = 0;
    virtual int GetColumnCount() const = 0;
    // Inserts a row at index with text in column 0; returns the row's index.
    virtual int InsertItem(int index, const std::string& text) = 0;
    virtual bool SetItemText(int item, int subItem, const std::string& text) = 0;
    // Colours are COLORREF values, 0x00BBGGRR.
    virtual void SetBkColor(uint32_t color) = 0;
    virtual void SetTextBkColor(uint32_t color) = 0;
    // Width of the control's window, border included, in pixels.
    virtual int GetWindowWidth() const = 0;
    // Inserts a row at index with these cells, as InsertItem and then SetItemText on
    // each further column would; null cells are "". A list that can keep a text
    // without a std::string of its own overrides it.
    virtual void InsertRow(int index, const char* const* cells, size_t count)
    {
        for (size_t column = 0; column < count; ++column) {
            const char* text = cells[column] ? cells[column] : "";
            if (column == 0)
                InsertItem(index, text);
            else
                SetItemText(index, static_cast<int>(column), text);
        }
    }
};
