#include "shell/summary.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "shell/main_dlg.h"
#include "shell/view_writer.h"
#include "shell/views.h"
#include "ui/memory_controls.h"

namespace {

// A summary label and the Description of the detail row it shows.
struct Field {
    const char* label;
    const char* description;
};

constexpr Field kSystem[] = {{"Manufacturer", "Manufacturer"}, {"Product Name", "Product Name"},
                             {"Version", "Version"},           {"Serial Number", "Serial Number"},
                             {"UUID", "UUID"},                 {"SKU Number", "SKU Number"}};
constexpr Field kBoard[] = {{"Manufacturer", "Manufacturer"},
                            {"Product", "Product"},
                            {"Version", "Version"},
                            {"Serial Number", "Serial Number"}};
constexpr Field kChassis[] = {{"Type", "Type"}};
constexpr Field kFirmware[] = {{"Vendor", "Vendor name"},
                               {"Version", "BIOS Version"},
                               {"Release Date", "BIOS Release Date"}};
constexpr Field kProcessor[] = {{"Socket", "Socket Designation"}, {"Version", "Processor Version"},
                                {"Core Count", "Core Count"},     {"Thread Count", "Thread Count"},
                                {"Current Speed", "Current Speed"}, {"Max Speed", "Max Speed"}};
constexpr Field kMemoryDevice[] = {{"Locator", "Device Locator"}, {"Size", "Size of Memory Device"},
                                   {"Type", "Memory Type"},       {"Speed", "Speed"},
                                   {"Part Number", "Part Number"}};

// What the memory device decoder shows for an empty socket.
constexpr const char* kEmptySocket = "No memory device in socket";

// The value of the first row with this Description; none when the structure is too
// short to have the field.
std::optional<std::string> RowValue(const MemoryList& rows, std::string_view description)
{
    for (size_t r = 0; r < rows.RowCount(); ++r)
        if (rows.Cell(r, 0) == description)
            return std::string(rows.Cell(r, 1));
    return std::nullopt;
}

template <size_t N>
SummarySection Section(std::string title, const MemoryList& rows, const Field (&fields)[N])
{
    SummarySection section{std::move(title), {}};
    for (const Field& f : fields)
        if (std::optional<std::string> value = RowValue(rows, f.description))
            section.items.push_back({f.label, std::move(*value)});
    return section;
}

// Kilobytes from a size row ("512 K Bytes", "16384 M Bytes"); none for "Unknown".
std::optional<unsigned long long> Kilobytes(const std::string& size)
{
    char* end = nullptr;
    unsigned long long n = std::strtoull(size.c_str(), &end, 10);
    if (end == size.c_str())
        return std::nullopt;
    if (std::string_view(end) == " K Bytes")
        return n;
    if (std::string_view(end) == " M Bytes")
        return n << 10;
    return std::nullopt;
}

} // namespace

std::vector<SummarySection> BuildSummary(CTableReader& reader)
{
    // The first system, board, chassis and firmware structure each; every processor and
    // memory device, in table order.
    std::optional<SummarySection> system, board, chassis, firmware;
    std::vector<SummarySection> processors, devices;
    unsigned long long kilobytes = 0;
    size_t populated = 0, empty = 0, unknownSize = 0;
    MemoryList rows;
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        uint8_t type = reader.IndexEntry(i).Type();
        std::optional<SummarySection>* first = type == 0   ? &firmware
                                               : type == 1 ? &system
                                               : type == 2 ? &board
                                               : type == 3 ? &chassis
                                                           : nullptr;
        if ((first == nullptr || first->has_value()) && type != 4 && type != 17)
            continue;
        DecodeStructure(reader, i, rows);
        std::optional<std::string> size = type == 17 ? RowValue(rows, "Size of Memory Device") : std::nullopt;
        if (type == 0)
            firmware = Section("Firmware", rows, kFirmware);
        else if (type == 1)
            system = Section("System", rows, kSystem);
        else if (type == 2)
            board = Section("Base Board", rows, kBoard);
        else if (type == 3)
            chassis = Section("Chassis", rows, kChassis);
        else if (type == 4)
            processors.push_back(Section("Processor " + std::to_string(processors.size() + 1), rows, kProcessor));
        else if (size && *size == kEmptySocket)
            ++empty;
        else {
            ++populated;
            std::optional<unsigned long long> k = size ? Kilobytes(*size) : std::nullopt;
            kilobytes += k.value_or(0);
            unknownSize += !k;
            devices.push_back(Section("Memory Device " + std::to_string(devices.size() + 1), rows, kMemoryDevice));
        }
    }

    std::vector<SummarySection> sections;
    sections.push_back(system ? *system : SummarySection{"System", {}});
    sections.push_back(board ? *board : SummarySection{"Base Board", {}});
    sections.push_back(chassis ? *chassis : SummarySection{"Chassis", {}});
    if (!firmware)
        firmware = SummarySection{"Firmware", {}};
    firmware->items.push_back({"SMBIOS Version", VersionText(reader)});
    sections.push_back(*firmware);
    sections.insert(sections.end(), processors.begin(), processors.end());

    std::string total = kilobytes % 1024 ? std::to_string(kilobytes) + " K Bytes"
                                         : std::to_string(kilobytes >> 10) + " M Bytes";
    if (unknownSize)
        total += " (and " + std::to_string(unknownSize) + " of unknown size)";
    sections.push_back({"Memory",
                        {{"Total Installed", total},
                         {"Populated Slots", std::to_string(populated)},
                         {"Empty Slots", std::to_string(empty)}}});
    sections.insert(sections.end(), devices.begin(), devices.end());
    return sections;
}

std::string RenderSummary(CTableReader& reader)
{
    std::vector<SummarySection> sections = BuildSummary(reader);
    size_t width = 0;
    for (const SummarySection& s : sections)
        for (const SummaryItem& item : s.items)
            width = std::max(width, item.label.size());
    ViewWriter out(4096);
    out.Put(ProblemLines(reader));
    for (const SummarySection& s : sections) {
        out.Put(s.title);
        out.Put('\n');
        if (s.items.empty())
            out.Put("  Not in the table\n");
        for (const SummaryItem& item : s.items) {
            out.Put("  ");
            out.Put(item.label);
            if (!item.value.empty()) {
                out.Spaces(width - item.label.size() + 2);
                AppendEscaped(out, item.value, Escaping::Terminal);
            }
            out.Put('\n');
        }
    }
    return out.Take();
}
