// Arbitrary bytes as a structure table behind a sound entry point, so the time goes
// to the walk and the decoders rather than to finding an anchor. Byte 0 chooses the
// entry point ("_SM_" when even, "_SM3_" when odd), bytes 1-2 its structure count
// or maximum table size; the rest is the table.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    constexpr size_t kTableAt = 0x20;
    std::vector<uint8_t> dump(kTableAt, 0);
    uint8_t lo = data[1], hi = data[2];
    if ((data[0] & 1) == 0) {
        std::memcpy(dump.data(), "_SM_", 4);
        dump[0x05] = 0x1F;
        dump[0x06] = 2;
        dump[0x07] = 8;
        std::memcpy(dump.data() + 0x10, "_DMI_", 5);
        dump[0x18] = kTableAt;
        dump[0x1C] = lo;
        dump[0x1D] = hi;
    } else {
        std::memcpy(dump.data(), "_SM3_", 5);
        dump[0x06] = 0x18;
        dump[0x07] = 3;
        dump[0x08] = 2;
        dump[0x0C] = lo;
        dump[0x0D] = hi;
        dump[0x10] = kTableAt;
    }
    dump.insert(dump.end(), data + 3, data + size);
    ExerciseDump(std::move(dump));
    return 0;
}
