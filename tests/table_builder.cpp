#include "tests/table_builder.h"

#include <cstring>

Bytes Structure(uint8_t type, uint16_t handle, const Bytes& body,
                const std::vector<std::string>& strings, int length)
{
    Bytes b{type, static_cast<uint8_t>(length < 0 ? 4 + body.size() : length),
            static_cast<uint8_t>(handle), static_cast<uint8_t>(handle >> 8)};
    b.insert(b.end(), body.begin(), body.end());
    for (const std::string& s : strings) {
        b.insert(b.end(), s.begin(), s.end());
        b.push_back(0);
    }
    if (strings.empty())
        b.push_back(0);
    b.push_back(0);
    return b;
}

Bytes Concat(const std::vector<Bytes>& parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

void PutU16(Bytes& b, size_t at, uint16_t v)
{
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

void PutU32(Bytes& b, size_t at, uint32_t v)
{
    PutU16(b, at, static_cast<uint16_t>(v));
    PutU16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

Bytes EntryPointSm(uint32_t tableAddress, uint16_t count, uint8_t major, uint8_t minor, uint16_t maxStructureSize)
{
    Bytes e(0x1F, 0);
    std::memcpy(e.data(), "_SM_", 4);
    e[0x05] = 0x1F;
    e[0x06] = major;
    e[0x07] = minor;
    PutU16(e, 0x08, maxStructureSize);
    std::memcpy(e.data() + 0x10, "_DMI_", 5);
    PutU32(e, 0x18, tableAddress);
    PutU16(e, 0x1C, count);
    return e;
}

Bytes EntryPointSm3(uint64_t tableAddress, uint32_t maxTableSize, uint8_t major, uint8_t minor)
{
    Bytes e(0x18, 0);
    std::memcpy(e.data(), "_SM3_", 5);
    e[0x06] = 0x18;
    e[0x07] = major;
    e[0x08] = minor;
    PutU32(e, 0x0C, maxTableSize);
    PutU32(e, 0x10, static_cast<uint32_t>(tableAddress));
    PutU32(e, 0x14, static_cast<uint32_t>(tableAddress >> 32));
    return e;
}

ResultCode MemoryLocator::Locate(LocateResult& out, std::string&)
{
    out.entry = {m_entry.data(), m_entry.size()};
    out.table = {m_table.data(), m_table.size()};
    out.fields = ReadEntryFields(out.entry, m_kind);
    out.source = "memory";
    return kOk;
}

std::unique_ptr<CTableReader> OpenTable(const std::vector<Bytes>& structures, int count)
{
    uint16_t n = static_cast<uint16_t>(count < 0 ? structures.size() : count);
    auto reader = std::make_unique<CTableReader>(
        std::make_unique<MemoryLocator>(EntryPointSm(0, n), Concat(structures)));
    reader->Open();
    return reader;
}

std::unique_ptr<CTableReader> OpenBrokenTable()
{
    return OpenTable({Structure(0, 0, Bytes(20), {"Vendor"}), Structure(127, 0x7F00), Structure(1, 1, Bytes(4))}, 4);
}

std::string TestData(const std::string& relative)
{
    return std::string(LUMETRA_TEST_DATA) + "/" + relative;
}
