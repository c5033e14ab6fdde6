#include "tests/decode_helpers.h"

#include <gtest/gtest.h>

DetailFixture::DetailFixture(const Bytes& structure, IListControl& list)
    : reader(OpenTable({structure})), dlg(list)
{
    const uint8_t* s = nullptr;
    reader->SelectStructure(0, &s);
    dlg.SetStructure(s, reader.get());
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
