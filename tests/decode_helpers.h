#pragma once
// Decodes one structure the way the detail window does, for decoder tests.
#include <string>
#include <vector>

#include "decode/detail_dlg.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

struct Decoded {
    std::string caption;
    MemoryList list{600};
    const Rows& rows() const { return list.Rows(); }
};

// The detail window's logic, initialised on a structure put in a table of its own.
struct DetailFixture {
    DetailFixture(const Bytes& structure, IListControl& list);
    std::unique_ptr<CTableReader> reader;
    CDetailDlg dlg;
};

// The structure is put in a table of its own, made current and decoded.
Decoded Decode(const Bytes& structure, int windowWidth = 600);

// The rows of a structure of this type whose body (the bytes from offset 0x04) is given.
Rows RowsOf(uint8_t type, const Bytes& body, const std::vector<std::string>& strings = {});

// The Value of the row with this Description, joined by '|' with the Values of the rows
// with an empty Description that follow it, so that a flag group reads as one text.
std::string ValueOf(const Rows& rows, const std::string& description);
inline const std::string kNoRow = "<no row>";
