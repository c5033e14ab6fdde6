// Crafted dumps, one line each, with what must come of them: a clear reason for no
// table, or the structures that can be read and the problem the user is told. Each is
// then run through everything the fuzz targets run, with their checks.
#include <gtest/gtest.h>

#include <cstring>

#include "fuzz/exercise.h"
#include "reader/table_reader.h"
#include "tests/table_builder.h"

namespace {

constexpr uint32_t kAt = 0x20; // where the crafted dumps put their table

Bytes Dump(Bytes entry, const Bytes& table)
{
    entry.resize(kAt, 0);
    entry.insert(entry.end(), table.begin(), table.end());
    return entry;
}
Bytes SmDump(uint16_t count, const Bytes& table) { return Dump(EntryPointSm(kAt, count), table); }
Bytes Sm3Dump(uint32_t maxSize, const Bytes& table) { return Dump(EntryPointSm3(kAt, maxSize), table); }

Bytes Bios() { return Structure(0, 0, Bytes(20), {"Vendor"}); } // 32 bytes
Bytes End(uint16_t handle = 0xFEFF) { return Structure(127, handle); }
Bytes Many(int n, uint8_t type, const std::vector<std::string>& strings = {})
{
    std::vector<Bytes> all;
    for (int i = 0; i < n; ++i)
        all.push_back(Structure(type, static_cast<uint16_t>(i), Bytes(4), strings));
    return Concat(all);
}
std::vector<std::string> Strings(int n)
{
    std::vector<std::string> all;
    for (int i = 1; i <= n; ++i)
        all.push_back("s" + std::to_string(i));
    return all;
}
Bytes Cut(Bytes b, size_t drop)
{
    b.resize(b.size() - drop);
    return b;
}
Bytes Sm3At(uint64_t address) { return Dump(EntryPointSm3(address, 0), Bios()); }

struct Case {
    const char* name;
    Bytes dump;
    bool opens;
    size_t indexed;
    const char* says; // in the reason, or in the problems ("" for none)
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& l : lines)
        all += l + "\n";
    return all;
}

} // namespace

TEST(MalformedInput, EachDumpGivesAReasonOrWhatCanBeRead)
{
    const Bytes anchorLast = [] { Bytes b(0x20, 0); std::memcpy(b.data() + 0x10, "_SM_", 4); return b; }();
    const Case cases[] = {
        {"empty file", {}, false, 0, "no SMBIOS entry point anchor"},
        {"shorter than an entry point", Cut(EntryPointSm(kAt, 1), 10), false, 0, "runs past the end"},
        {"anchor in the last positions", anchorLast, false, 0, "the entry point at 0x10 runs past the end"},
        {"table address past the end", Dump(EntryPointSm(0x1000, 1), Bios()), false, 0, "beyond the end of the file"},
        {"table address near 2^32", Dump(EntryPointSm(0xFFFFFFF0u, 1), Bios()), false, 0, "0xFFFFFFF0 lies beyond"},
        {"table address near 2^64", Sm3At(0xFFFFFFFFFFFFFFF0ull), false, 0, "0xFFFFFFFFFFFFFFF0 lies beyond"},
        {"count 0", SmDump(0, Bios()), true, 0, ""},
        {"count 65535, three structures", SmDump(65535, Concat({Bios(), Bios(), End()})), true, 3,
         "3 of 65535 structures could be read: the table ends at offset 0x46"},
        {"length 0", SmDump(3, Concat({Bios(), Structure(1, 1, {}, {}, 0), End()})), true, 2,
         "structure 1 at offset 0x20 has length 0, below its 4-byte header"},
        {"length 1", SmDump(3, Concat({Bios(), Structure(1, 1, {}, {}, 1), End()})), true, 2, "has length 1, below"},
        {"length 2", SmDump(3, Concat({Bios(), Structure(1, 1, {}, {}, 2), End()})), true, 2, "has length 2, below"},
        {"length 3", SmDump(3, Concat({Bios(), Structure(1, 1, {}, {}, 3), End()})), true, 2, "has length 3, below"},
        {"length past the table", SmDump(2, Concat({Bios(), Structure(1, 1, Bytes(8), {}, 200)})), true, 1,
         "1 of 2 structures could be read: structure 1 at offset 0x20 has length 200, past the end of the table"},
        {"string set without its double NUL", SmDump(2, Cut(Concat({Bios(), Structure(1, 1, {}, {"x"})}), 1)), true, 1,
         "the string set of structure 1 at offset 0x20 runs past the end of the table at offset 0x26"},
        {"header cut off", SmDump(2, Concat({Bios(), {1, 4}})), true, 1, "inside the header of structure 1"},
        {"255 strings", SmDump(1, Structure(11, 1, {255}, Strings(255))), true, 1, ""},
        {"300 strings", SmDump(1, Structure(11, 1, {255}, Strings(300))), true, 1, ""},
        {"300 structures of one type", SmDump(300, Many(300, 17, {"DIMM"})), true, 300, ""},
        {"duplicate handles", SmDump(3, Concat({Structure(1, 7), Structure(1, 7), End()})), true, 3, ""},
        {"End-of-Table in the middle", SmDump(3, Concat({Bios(), End(), Bios()})), true, 3,
         "structure 1 at offset 0x20 is an End-of-Table structure, but 1 more structure follows it"},
        {"_SM3_ End-of-Table in the middle", Sm3Dump(0, Concat({Bios(), End(), Bios()})), true, 2, ""},
        {"_SM3_ maximum size past the file", Sm3Dump(5809, Concat({Bios(), Bios()})), true, 2,
         "the table ends at offset 0x40 without an End-of-Table structure; the entry point announces 5809 bytes"},
        {"_SM3_ maximum size 0", Sm3Dump(0, Concat({Bios(), End()})), true, 2, ""},
        {"_SM3_ cut in a string set", Sm3Dump(0, Cut(Concat({Bios(), Bios()}), 3)), true, 1,
         "the string set of structure 1 at offset 0x20 runs past the end of the table at offset 0x3D\n"
         "the table ends at offset 0x3D without an End-of-Table structure\n"},
        {"hostile strings", SmDump(1, Structure(1, 1, {1, 2, 3, 4}, {"\x1b[2J\x7f", "\x80\xff\xe9", "\"q\"\\b\\"})),
         true, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTableReader reader(std::make_unique<DumpFileLocator>(c.name, c.dump));
        ASSERT_EQ(reader.Open() == kOk, c.opens);
        if (!c.opens) {
            EXPECT_NE(reader.Reason().find(c.says), std::string::npos) << reader.Reason();
        } else {
            EXPECT_EQ(reader.IndexedCount(), c.indexed);
            std::string problems = Joined(reader.Problems());
            if (*c.says)
                EXPECT_NE(problems.find(c.says), std::string::npos) << problems;
            else
                EXPECT_EQ(problems, "");
        }
        ExerciseDump(c.dump);
    }
}

// Every decoder on each length from the bare header to the largest a structure can
// have, so each is fed one past its last offset; string numbers and 0xFF codes alike.
TEST(MalformedInput, EveryDecoderOnEveryLength)
{
    const uint8_t types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 16, 17, 19, 127};
    for (uint8_t type : types) {
        for (uint8_t fill : {0x01, 0xFF}) {
            std::vector<Bytes> all;
            for (int length = 4; length <= 255; ++length)
                all.push_back(Structure(type, static_cast<uint16_t>(length), Bytes(length - 4, fill), {"a", "b"}));
            all.push_back(End(0xFFFE));
            ExerciseDump(Sm3Dump(0, Concat(all)));
        }
    }
}
