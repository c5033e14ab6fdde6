#include "shell/dump_bin.h"

#include "platform/file_bytes.h"

namespace {

// The byte that makes the sum of bytes[from, from + count) zero.
void FixChecksum(std::vector<uint8_t>& bytes, size_t from, size_t count, size_t at)
{
    bytes[at] = 0;
    uint8_t sum = 0;
    for (size_t i = from; i < from + count; ++i)
        sum = static_cast<uint8_t>(sum + bytes[i]);
    bytes[at] = static_cast<uint8_t>(0x100 - sum);
}

void PutLe(std::vector<uint8_t>& bytes, size_t at, uint64_t value, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

std::vector<uint8_t> DumpBinImage(const CTableReader& reader)
{
    ByteWindow entry = reader.EntryWindow();
    ByteWindow table = reader.TableWindow();
    if (!reader.IsOpen() || reader.Anchor() == AnchorKind::None)
        return {};
    // A table from the firmware table service comes with an "_SM3_" entry point made for it.
    bool sm3 = reader.Anchor() != AnchorKind::Sm;

    // The length byte says how much the checksum covers. One that is too short for
    // the fields, or too long for the 0x20 bytes before the table, is set to what a
    // reader of the dump can check.
    size_t lengthAt = sm3 ? 0x06 : 0x05;
    size_t fieldsEnd = sm3 ? kSm3EntryFieldsEnd : 0x1F;
    size_t entryLength = entry.U8(lengthAt);
    if (entryLength < fieldsEnd || entryLength > kDumpTableOffset)
        entryLength = fieldsEnd;

    // An "_SM3_" maximum of 0 gives no length: the reader shows the whole window then.
    uint64_t given = sm3 ? entry.U32(0x0C) : entry.U16(0x16);
    size_t tableLength = given < table.size && !(sm3 && given == 0) ? static_cast<size_t>(given) : table.size;

    std::vector<uint8_t> out(kDumpTableOffset + tableLength, 0);
    for (size_t i = 0; i < entryLength; ++i)
        out[i] = entry.U8(i); // bytes past the window read as 0
    out[lengthAt] = static_cast<uint8_t>(entryLength);
    for (size_t i = 0; i < tableLength; ++i)
        out[kDumpTableOffset + i] = table.data[i];

    if (sm3) {
        PutLe(out, 0x10, kDumpTableOffset, 8);
        FixChecksum(out, 0, entryLength, 0x05);
    } else {
        PutLe(out, 0x18, kDumpTableOffset, 4);
        FixChecksum(out, 0x10, 0x0F, 0x15); // the "_DMI_" part first: the whole sum includes it
        FixChecksum(out, 0, entryLength, 0x04);
    }
    return out;
}

bool SaveDumpBin(const CTableReader& reader, const std::string& path, std::string& reason)
{
    std::vector<uint8_t> image = DumpBinImage(reader);
    if (image.empty()) {
        reason = "no table to save";
        return false;
    }
    return WriteNewFile(path, image, reason);
}
