#include "fuzz/exercise.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "reader/table_reader.h"
#include "shell/main_dlg.h"
#include "shell/summary.h"
#include "shell/tree_builder.h"
#include "shell/views.h"
#include "ui/memory_controls.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

bool Inside(ByteWindow window, const uint8_t* start, size_t size)
{
    if (start < window.data || start > window.data + window.size)
        return false;
    size_t offset = static_cast<size_t>(start - window.data);
    return size <= window.size - offset;
}

// A string handed out must start inside the structure and end there too.
void CheckString(const StructExtent& extent, const char* text)
{
    const uint8_t* at = reinterpret_cast<const uint8_t*>(text);
    Check(Inside(extent.Whole(), at, 0) && at < extent.start + extent.size, "string starts inside its structure");
    size_t rest = extent.size - static_cast<size_t>(at - extent.start);
    Check(std::memchr(at, 0, rest) != nullptr, "string ends inside its structure");
}

void CheckPrintable(const std::string& text, const char* what)
{
    for (unsigned char c : text)
        Check(c >= 0x20 || c == '\n', what);
}

void Searches(CTableReader& reader)
{
    size_t found = 0;
    for (int type = 0; type < 256; ++type) {
        Check(reader.FindFirst(type) == kOk, "FindFirst on an open reader");
        uint16_t handle = 0;
        while (reader.FindNext(&handle) == kOk) {
            Check(++found <= reader.IndexedCount(), "searches end");
            const uint8_t* structure = nullptr;
            Check(reader.GetStructure(handle, &structure) == kOk, "a handle found can be looked up");
            const StructExtent* current = reader.CurrentStructure();
            Check(current != nullptr && current->start == structure, "the structure found is current");
            for (int number = 0; number <= 256; ++number) {
                const char* text = nullptr;
                ResultCode rc = reader.GetString(number, &text);
                if (number % 256 == 0)
                    Check(rc == kOk && text != nullptr && *text == 0, "string 0 is empty");
                else if (rc == kOk)
                    CheckString(*current, text);
                else
                    Check(rc == kFail && text == nullptr, "a missing string is null");
            }
        }
        Check(reader.FindClose() == kOk, "FindClose on an open reader");
    }
    Check(found == reader.IndexedCount(), "the searches find every structure once");
}

} // namespace

void ExerciseDump(std::vector<uint8_t> bytes)
{
    CTableReader reader(std::make_unique<DumpFileLocator>("fuzz.bin", std::move(bytes)));
    if (reader.Open() != kOk) {
        Check(!reader.Reason().empty(), "a failed Open says why");
        CheckPrintable(reader.Reason(), "the reason is one printable line");
        return;
    }
    ByteWindow table = reader.TableWindow();
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& e = reader.IndexEntry(i);
        Check(Inside(table, e.start, e.size) && e.size >= 2, "each structure lies inside the table window");
    }
    Check(!HasStructureCount(reader.Anchor()) || reader.IndexedCount() <= reader.StructureCount(),
          "no more structures than counted");
    for (const std::string& problem : reader.Problems())
        CheckPrintable(problem, "a problem is one printable line");

    Searches(reader);

    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, "FUZZ");
    Check(tree.Find(root) != nullptr, "the tree has its root");
    CheckPrintable(AboutSecondLine(reader), "the About line is printable");

    std::string json = RenderJson(reader, "FUZZ");
    Check(IsValidJson(json), "the JSON view parses");
    std::string text = RenderText(reader, "FUZZ");
    CheckPrintable(text, "the text view has no control bytes but newlines");
    CheckPrintable(RenderList(reader), "the list view has no control bytes but newlines");
    CheckPrintable(RenderHtml(reader, "FUZZ"), "the HTML page has no control bytes but newlines");
    CheckPrintable(RenderSummary(reader), "the summary has no control bytes but newlines");
}
