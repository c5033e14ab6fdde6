#include "tests/decode_helpers.h"

Decoded Decode(const Bytes& structure, int windowWidth)
{
    auto reader = OpenTable({structure});
    Decoded d;
    d.list = MemoryList(windowWidth);
    const uint8_t* s = nullptr;
    if (reader->SelectStructure(0, &s) != kOk)
        return d;
    CDetailDlg dlg(d.list);
    dlg.m_pStruct = s;
    dlg.m_pReader = reader.get();
    dlg.OnInitDialog();
    d.caption = dlg.Caption();
    return d;
}

Bytes Body(size_t formattedLength)
{
    return Bytes(formattedLength > 4 ? formattedLength - 4 : 0, 0);
}
