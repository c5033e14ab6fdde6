#include "tests/decode_helpers.h"

#include <gtest/gtest.h>

DetailFixture::DetailFixture(const Bytes& structure, IListControl& list)
    : reader(OpenTable({structure})), dlg(list)
{
    const uint8_t* s = nullptr;
    reader->SelectStructure(0, &s);
    dlg.m_pStruct = s;
    dlg.m_pReader = reader.get();
    dlg.OnInitDialog();
}

Decoded Decode(const Bytes& structure, int windowWidth)
{
    Decoded d;
    d.list = MemoryList(windowWidth);
    DetailFixture fixture(structure, d.list);
    d.caption = fixture.dlg.Caption();
    return d;
}

Rows RowsOf(uint8_t type, const Bytes& body, const std::vector<std::string>& strings)
{
    return Decode(Structure(type, 0x0100, body, strings)).rows();
}

std::string ValueOf(const Rows& rows, const std::string& description)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i][0] != description)
            continue;
        std::string value = rows[i][1];
        while (++i < rows.size() && rows[i][0].empty())
            value += "|" + rows[i][1];
        return value;
    }
    return kNoRow;
}
