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

void ExpectRows(const std::vector<StructureCase>& cases)
{
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(RowsOf(cases[i].type, cases[i].body, cases[i].strings), cases[i].want) << "case " << i;
}

namespace {
// Bytes past the length are left out.
void Put(Bytes& body, size_t length, const FieldSet& f)
{
    for (size_t n = 0; n < f.width && f.offset + n < length; ++n)
        body[f.offset - 4 + n] = static_cast<uint8_t>(f.value >> (8 * n));
}
} // namespace

void ExpectFields(const std::vector<FieldCase>& cases)
{
    for (size_t i = 0; i < cases.size(); ++i) {
        const FieldCase& c = cases[i];
        Bytes body(c.length - 4, 0);
        Put(body, c.length, {c.offset, c.width, c.value});
        EXPECT_EQ(ValueOf(RowsOf(c.type, body), c.description), c.want)
            << "case " << i << ": type " << +c.type << ", 0x" << std::hex << c.value << " at 0x" << c.offset;
    }
}

void ExpectFieldSets(const std::vector<FieldsCase>& cases)
{
    for (size_t i = 0; i < cases.size(); ++i) {
        const FieldsCase& c = cases[i];
        Bytes body(c.length - 4, 0);
        for (const FieldSet& f : c.fields)
            Put(body, c.length, f);
        EXPECT_EQ(ValueOf(RowsOf(c.type, body), c.description), c.want)
            << "case " << i << ": type " << +c.type << ", " << c.description;
    }
}
