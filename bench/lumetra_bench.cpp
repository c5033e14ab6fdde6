// In-process timings of what a table costs: Open (locate and index), the tree,
// decoding every structure to rows, and the JSON, text and list views.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/table_gen.h"
#include "reader/table_reader.h"
#include "shell/tree_builder.h"
#include "shell/views.h"
#include "ui/memory_controls.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A dump held in memory, located as a dump file would be, without the file read.
class DumpBytesLocator : public EntryPointLocator {
public:
    explicit DumpBytesLocator(const Bytes& dump) : EntryPointLocator(true, 0, {"bench: ", ""}), m_dump(dump) {}

protected:
    bool FirmwareArea(ByteWindow& area, std::string&) override
    {
        area = ByteWindow{m_dump.data(), m_dump.size()}.Sub(0, 0x20);
        return true;
    }
    bool TableArea(ByteWindow, const EntryFields& fields, ByteWindow& table, std::string& reason) override
    {
        if (fields.tableAddress > m_dump.size()) {
            reason = "table beyond the dump";
            return false;
        }
        table = ByteWindow{m_dump.data(), m_dump.size()}.Sub(static_cast<size_t>(fields.tableAddress), m_dump.size());
        return true;
    }
    std::string SourceName() const override { return "bench"; }

private:
    const Bytes& m_dump;
};

struct NamedTable {
    std::string name;
    Bytes dump;
};

std::vector<NamedTable>& Tables()
{
    static std::vector<NamedTable> tables;
    return tables;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<CTableReader> OpenDump(const Bytes& dump)
{
    auto reader = std::make_unique<CTableReader>(std::make_unique<DumpBytesLocator>(dump));
    reader->Open();
    return reader;
}

void Label(benchmark::State& state, const CTableReader& reader)
{
    state.counters["structures"] = static_cast<double>(reader.IndexedCount());
}

void BenchOpen(benchmark::State& state, const Bytes* dump)
{
    for (auto _ : state) {
        auto reader = OpenDump(*dump);
        benchmark::DoNotOptimize(reader->IndexedCount());
    }
    Label(state, *OpenDump(*dump));
}

void BenchTree(benchmark::State& state, const Bytes* dump)
{
    auto reader = OpenDump(*dump);
    for (auto _ : state) {
        MemoryTree tree;
        benchmark::DoNotOptimize(BuildTree(*reader, tree, "bench"));
    }
    Label(state, *reader);
}

void BenchDecode(benchmark::State& state, const Bytes* dump)
{
    auto reader = OpenDump(*dump);
    MemoryList rows(600);
    for (auto _ : state) {
        for (size_t i = 0; i < reader->IndexedCount(); ++i)
            benchmark::DoNotOptimize(DecodeStructure(*reader, i, rows));
    }
    Label(state, *reader);
}

// A view as the program writes it: streamed to a file, here /dev/null.
template <bool (*Write)(CTableReader&, const std::string&, std::FILE*),
          std::string (*Render)(CTableReader&, const std::string&)>
void BenchView(benchmark::State& state, const Bytes* dump)
{
    auto reader = OpenDump(*dump);
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state)
        benchmark::DoNotOptimize(Write(*reader, "bench", sink));
    std::fclose(sink);
    Label(state, *reader);
    state.counters["output_bytes"] = static_cast<double>(Render(*reader, "bench").size());
}

void BenchList(benchmark::State& state, const Bytes* dump)
{
    auto reader = OpenDump(*dump);
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteList(*reader, sink));
    std::fclose(sink);
    Label(state, *reader);
}

} // namespace

int main(int argc, char** argv)
{
    for (const char* fixture : {"pc-default", "q35-workstation", "sm3"})
        Tables().push_back({fixture, ReadFile(std::string(LUMETRA_TEST_DATA) + "/" + fixture + "/dump.bin")});
    for (size_t count : {16, 256, 4096})
        Tables().push_back({"real-" + std::to_string(count), MakeTableDump(TableMix::Real, count)});
    Tables().push_back({"real-window", MakeTableDump(TableMix::Real, 0xFFFF, kLargestWindow)});
    Tables().push_back({"small-window", MakeTableDump(TableMix::Small, 0xFFFF, kLargestWindow)});
    Tables().push_back({"real-10000", MakeTableDump(TableMix::Real, 10000)});

    // With repetitions, the best run too: on a shared machine it is the steadiest figure.
    auto best = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    for (const NamedTable& t : Tables()) {
        const Bytes* dump = &t.dump;
        for (benchmark::internal::Benchmark* b :
             {benchmark::RegisterBenchmark(("Open/" + t.name).c_str(), BenchOpen, dump),
              benchmark::RegisterBenchmark(("BuildTree/" + t.name).c_str(), BenchTree, dump),
              benchmark::RegisterBenchmark(("DecodeAll/" + t.name).c_str(), BenchDecode, dump),
              benchmark::RegisterBenchmark(("RenderJson/" + t.name).c_str(), BenchView<WriteJson, RenderJson>, dump),
              benchmark::RegisterBenchmark(("RenderText/" + t.name).c_str(), BenchView<WriteText, RenderText>, dump),
              benchmark::RegisterBenchmark(("RenderList/" + t.name).c_str(), BenchList, dump)})
            b->ComputeStatistics("min", best);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
