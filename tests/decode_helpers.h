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
    Rows rows() const { return list.Rows(); }
};

// The detail window's logic, initialised on a structure put in a table of its own.
struct DetailFixture {
    DetailFixture(const Bytes& structure, IListControl& list);
    std::unique_ptr<CTableReader> reader;
    CDetailDlg dlg;
};

// The structure is put in a table of its own, made current and decoded.
Decoded Decode(const Bytes& structure, int windowWidth = 600);
