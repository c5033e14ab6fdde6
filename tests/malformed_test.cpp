// Every decoder on each length from the bare header to the largest a structure can
// have, so each is fed one past its last offset; string numbers and 0xFF codes alike.
// Each table runs through everything the fuzz targets run, with their checks. The
// crafted broken tables with their outcomes are in cases/malformed.case.
#include <gtest/gtest.h>

#include "fuzz/exercise.h"
#include "tests/table_builder.h"

TEST(MalformedInput, EveryDecoderOnEveryLength)
{
    const uint8_t types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 16, 17, 19, 127};
    for (uint8_t type : types) {
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
