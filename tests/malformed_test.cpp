// Every decoder on each length from the bare header to the largest a structure can
// have, so each is fed one past its last offset; string numbers and 0xFF codes alike.
// Each table runs through everything the fuzz targets run, with their checks. The
// crafted broken tables with their outcomes are in cases/malformed.case.
#include <gtest/gtest.h>

#include "fuzz/exercise.h"
#include "tests/table_builder.h"

TEST(MalformedInput, EveryDecoderOnEveryLength)
{
    for (int t = 0; t <= 47; ++t) {
        uint8_t type = static_cast<uint8_t>(t == 47 ? 127 : t); // every decoded type, then End-of-Table
        for (uint8_t fill : {0x01, 0xFF}) {
            Bytes dump = EntryPointSm3(0x20, 0);
            dump.resize(0x20, 0);
            for (int length = 4; length <= 255; ++length) {
                Bytes s = Structure(type, static_cast<uint16_t>(length), Bytes(length - 4, fill), {"a", "b"});
                dump.insert(dump.end(), s.begin(), s.end());
            }
            Bytes end = Structure(127, 0xFFFE);
            dump.insert(dump.end(), end.begin(), end.end());
            ExerciseDump(dump);
        }
    }
}
