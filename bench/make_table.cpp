// Writes a generated table as a dump file, for bench/compare.sh.
//   make_table real|small COUNT [MAX_BYTES] OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/table_gen.h"

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: make_table real|small COUNT [MAX_BYTES] OUT\n");
        return 2;
    }
    TableMix mix = std::strcmp(argv[1], "small") == 0 ? TableMix::Small : TableMix::Real;
    size_t count = std::strtoul(argv[2], nullptr, 10);
    size_t maxBytes = argc == 5 ? std::strtoul(argv[3], nullptr, 10) : SIZE_MAX;
    std::vector<uint8_t> dump = MakeTableDump(mix, count, maxBytes);
    FILE* out = std::fopen(argv[argc - 1], "wb");
    if (out == nullptr || std::fwrite(dump.data(), 1, dump.size(), out) != dump.size() || std::fclose(out) != 0) {
        std::perror(argv[argc - 1]);
        return 1;
    }
    std::printf("%s: %zu structures, %zu table bytes\n", argv[argc - 1], DumpStructureCount(dump), dump.size() - 0x20);
    return 0;
}
