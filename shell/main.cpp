// lumetra: the viewer's entry. The command-line views run without loading Qt.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "reader/table_reader.h"

namespace {

constexpr const char* kNoDmi = "No DMI Function";

int Usage()
{
    std::fprintf(stderr,
                 "usage: lumetra [--list] [--from-dump PATH]\n"
                 "  --list            one line per indexed structure\n"
                 "  --from-dump PATH  read a saved table (dmidecode --dump-bin file, or a copy of\n"
                 "                    /sys/firmware/dmi/tables) instead of this machine's\n");
    return 2;
}

// Table text is untrusted: control bytes would reach the terminal.
std::string Printable(const char* s)
{
    std::string out;
    for (; *s; ++s) {
        unsigned char c = static_cast<unsigned char>(*s);
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == '\\' || c == '"') {
            char hex[8];
            std::snprintf(hex, sizeof hex, c == '\\' || c == '"' ? "\\%c" : "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int List(CTableReader& reader)
{
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        std::printf("%zu type %u handle 0x%04X length %u", i, s.Type(), s.Handle(), s.Length());
        const uint8_t* structure = nullptr;
        reader.SelectStructure(i, &structure);
        const char* text = nullptr;
        for (int n = 1; n <= 255 && reader.GetString(n, &text) == kOk; ++n)
            std::printf(" \"%s\"", Printable(text).c_str());
        std::printf("\n");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool list = false;
    std::string dump;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--list") == 0)
            list = true;
        else if (std::strcmp(argv[i], "--from-dump") == 0 && i + 1 < argc)
            dump = argv[++i];
        else
            return Usage();
    }
    if (!list)
        return Usage();

    std::unique_ptr<CTableReader> reader = dump.empty()
        ? std::make_unique<CTableReader>()
        : std::make_unique<CTableReader>(MakeSavedTableLocator(dump));
    if (reader->Open() != kOk) {
        std::fprintf(stderr, "%s\n%s\n", kNoDmi, reader->Reason().c_str());
        return 1;
    }
    return List(*reader);
}
