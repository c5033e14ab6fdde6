// Arbitrary bytes as a saved dump file: locating, the walk, every search, the tree,
// every decoder and the views.
#include <cstddef>
#include <cstdint>

#include "fuzz/exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ExerciseDump(std::vector<uint8_t>(data, data + size));
    return 0;
}
