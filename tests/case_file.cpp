#include "tests/case_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "reader/table_reader.h"
#include "shell/tree_builder.h"
#include "shell/views.h"
#include "tests/decode_helpers.h"

namespace {

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

std::string Trimmed(const std::string& s)
{
    size_t from = s.find_first_not_of(" \t");
    size_t to = s.find_last_not_of(" \t\r");
    return from == std::string::npos ? "" : s.substr(from, to - from + 1);
}

bool Indented(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

// The expected line without the block's indentation; its own blanks are kept.
std::string Unindented(const std::string& line, size_t indent)
{
    std::string s = line.substr(std::min(indent, line.find_first_not_of(' ')));
    if (!s.empty() && s.back() == '\r')
        s.pop_back();
    return s;
}

bool ParseNumber(const std::string& s, int base, uint64_t& out)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    out = std::strtoull(s.c_str(), &end, base);
    return *end == '\0';
}

// "OFF:W=VALUE" tokens, all hexadecimal: a little-endian field of W bytes at OFF.
bool ApplyFields(const std::string& text, Bytes& bytes, std::string& error)
{
    std::istringstream in(text);
    for (std::string token; in >> token;) {
        size_t colon = token.find(':'), equals = token.find('=');
        uint64_t offset = 0, width = 0, value = 0;
        if (colon == std::string::npos || equals == std::string::npos || equals < colon ||
            !ParseNumber(token.substr(0, colon), 16, offset) ||
            !ParseNumber(token.substr(colon + 1, equals - colon - 1), 16, width) ||
            !ParseNumber(token.substr(equals + 1), 16, value) || width == 0 || width > 8) {
            error = "bad field '" + token + "' (want OFF:WIDTH=VALUE in hex)";
            return false;
        }
        if (offset + width > bytes.size()) {
            error = "field '" + token + "' lies past the bytes";
            return false;
        }
        for (uint64_t n = 0; n < width; ++n)
            bytes[offset + n] = static_cast<uint8_t>(value >> (8 * n));
    }
    return true;
}

// The first expected line names the row a run starts at: "Description | Value",
// "Description |", or no "Description" when that row must be absent.
std::string RunDescription(const std::string& line)
{
    if (StartsWith(line, "no \"") && line.size() > 4 && line.back() == '"')
        return line.substr(4, line.size() - 5);
    size_t bar = line.find(" |");
    return bar == std::string::npos ? line : line.substr(0, bar);
}

struct Builder {
    Bytes bytes;
    Bytes entry;     // table cases: the entry point put before the table
    uint32_t at = 0x20;
    bool rawDump = false;
};

bool ParseEntry(const std::string& text, Case& c, Builder& b, std::string& error)
{
    std::istringstream in(text);
    std::string kind, key, value;
    in >> kind;
    bool sm3 = kind == "sm3";
    std::map<std::string, uint64_t> n = {{"count", 0}, {"max", 0}, {"at", 0x20}, {"address", ~0ull},
                                         {"major", sm3 ? 3 : 2}, {"minor", sm3 ? 0 : 8}};
    while (in >> key >> value) {
        if (key == "version" && value.find('.') != std::string::npos) {
            key = "minor";
            if (!ParseNumber(value.substr(0, value.find('.')), 10, n["major"]))
                break;
            value = value.substr(value.find('.') + 1);
        }
        if (!n.count(key) || !ParseNumber(value, 0, n[key]))
            break;
        key.clear();
    }
    if ((!sm3 && kind != "sm") || !key.empty()) {
        error = "entry sm|sm3 [count N] [max N] [version M.m] [at N] [address N]";
        return false;
    }
    b.at = static_cast<uint32_t>(n["at"]);
    uint64_t address = n["address"] == ~0ull ? b.at : n["address"];
    auto major = static_cast<uint8_t>(n["major"]), minor = static_cast<uint8_t>(n["minor"]);
    b.entry = sm3 ? EntryPointSm3(address, static_cast<uint32_t>(n["max"]), major, minor)
                  : EntryPointSm(static_cast<uint32_t>(address), static_cast<uint16_t>(n["count"]), major, minor);
    c.table = true;
    return true;
}

// The dump a table case stands for: its entry point, padded to the table's address, then the table.
Bytes DumpOf(const Case& c, const Builder& b, const Bytes& table)
{
    if (!c.table || b.rawDump)
        return table;
    Bytes dump = b.entry;
    if (dump.size() < b.at)
        dump.resize(b.at, 0);
    dump.insert(dump.end(), table.begin(), table.end());
    return dump;
}

std::vector<std::string> RunOf(const Rows& rows, const std::string& description)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].empty() || rows[i][0] != description)
            continue;
        std::vector<std::string> run{RowLine(rows[i])};
        while (++i < rows.size() && !rows[i].empty() && rows[i][0].empty())
            run.push_back(RowLine(rows[i]));
        return run;
    }
    return {"no \"" + description + "\""};
}

std::string Hex(uint64_t value, int digits)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

std::vector<std::string> TableLines(const Bytes& dump, bool rsmb, const std::set<std::string>& shows)
{
    std::unique_ptr<ITableLocator> locator;
    if (rsmb)
        locator = std::make_unique<FirmwareTableLocator>([dump](std::vector<uint8_t>& out, std::string&) {
            out = dump;
            return true;
        });
    else
        locator = std::make_unique<DumpFileLocator>("case", dump);
    CTableReader reader(std::move(locator));
    if (reader.Open() != kOk)
        return {"no table: " + reader.Reason()};
    std::string opened = "indexed " + std::to_string(reader.IndexedCount());
    if (reader.Anchor() == AnchorKind::Sm)
        opened += " of " + std::to_string(reader.StructureCount());
    std::vector<std::string> lines{opened};
    for (const std::string& p : reader.Problems())
        lines.push_back("problem: " + p);
    if (shows.count("tree")) {
        MemoryTree tree;
        std::function<void(TreeItem, const std::string&)> walk = [&](TreeItem item, const std::string& depth) {
            const MemoryTree::Node* n = tree.Find(item);
            lines.push_back(depth + n->text + " [" + Hex(n->data, 4) + "]");
            for (TreeItem child : n->children)
                walk(child, depth + "> ");
        };
        walk(BuildTree(reader, tree, "PC"), "");
    }
    for (size_t i = 0; shows.count("index") && i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        lines.push_back(Hex(static_cast<uint64_t>(s.start - reader.Table().data), 4) + ": type " +
                        std::to_string(s.Type()) + ", length " + Hex(s.Length(), 2) + ", handle " +
                        Hex(s.Handle(), 4) + ", " + std::to_string(s.size) + " bytes");
    }
    for (const char* view : {"text", "json"}) {
        if (!shows.count(view))
            continue;
        std::istringstream out(*view == 't' ? RenderText(reader, "PC") : RenderJson(reader, "PC"));
        for (std::string line; std::getline(out, line);)
            lines.push_back(line);
    }
    return lines;
}

} // namespace

std::string RowLine(const std::vector<std::string>& cells)
{
    std::string line = cells.empty() ? "" : cells[0];
    for (size_t i = 1; i < cells.size(); ++i)
        line += (i == 1 && line.empty() ? "|" : " |") + (cells[i].empty() ? "" : " " + cells[i]);
    return line;
}

bool ParseByteTokens(const std::string& text, Bytes& out, std::string& error)
{
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            ++i;
            continue;
        }
        Bytes piece;
        if (text[i] == '(') {
            size_t close = i + 1;
            for (bool quoted = false; close < text.size() && (quoted || text[close] != ')'); ++close)
                quoted = text[close] == '"' ? !quoted : quoted;
            if (close >= text.size()) {
                error = "unclosed group";
                return false;
            }
            if (!ParseByteTokens(text.substr(i + 1, close - i - 1), piece, error))
                return false;
            i = close + 1;
        } else if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                char ch = text[i];
                if (ch == '\\' && i + 1 < text.size()) {
                    ch = text[++i];
                    if (ch == 'x' && i + 2 < text.size()) {
                        ch = static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                        i += 2;
                    }
                }
                piece.push_back(static_cast<uint8_t>(ch));
            }
            if (i >= text.size()) {
                error = "unclosed quote";
                return false;
            }
            ++i;
            piece.push_back(0);
        } else {
            size_t end = text.find_first_of(" \t*\r", i);
            std::string hex = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
            uint64_t value = 0;
            if (hex.size() != 2 || !ParseNumber(hex, 16, value)) {
                error = "bad byte '" + hex + "'";
                return false;
            }
            piece.push_back(static_cast<uint8_t>(value));
            i += 2;
        }
        uint64_t times = 1;
        if (i < text.size() && text[i] == '*') {
            size_t end = text.find_first_of(" \t\r", i);
            std::string count = text.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            if (!ParseNumber(count, 10, times)) {
                error = "bad repeat '" + count + "'";
                return false;
            }
            i = end == std::string::npos ? text.size() : end;
        }
        for (uint64_t n = 0; n < times; ++n)
            out.insert(out.end(), piece.begin(), piece.end());
    }
    return true;
}

CaseFile ParseCaseFile(const std::string& path)
{
    CaseFile file;
    file.path = path;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        file.lines.push_back(line);
    if (!in.eof() && file.lines.empty())
        file.error = "cannot read " + path;

    Case* c = nullptr;
    Builder b;
    std::string error;
    auto fail = [&](size_t i, const std::string& why) {
        file.error = path + ":" + std::to_string(i + 1) + ": " + why;
    };
    // Takes the indented lines after line i into e; returns the last line taken.
    // A blank line belongs to the block when an indented line follows it (a view's empty line).
    auto takeBlock = [&](size_t i, CaseExpect& e, size_t indent) {
        for (size_t next = i + 1; next < file.lines.size(); ++next) {
            if (Trimmed(file.lines[next]).empty())
                continue;
            if (!Indented(file.lines[next]))
                break;
            for (++i; i < next; ++i)
                e.lines.emplace_back();
            e.lines.push_back(Unindented(file.lines[i], indent));
        }
        return i;
    };
    for (size_t i = 0; i < file.lines.size() && file.error.empty(); ++i) {
        const std::string& line = file.lines[i];
        std::string text = Trimmed(line);
        if (text.empty() || line[0] == '#')
            continue;
        if (StartsWith(text, "== ")) {
            file.cases.push_back({text.substr(3), i + 1, false, false, {}, {}});
            c = &file.cases.back();
            b = Builder();
            continue;
        }
        if (c == nullptr) {
            fail(i, "a case starts with '== title'");
            break;
        }
        std::string word = text.substr(0, text.find(' '));
        std::string rest = word.size() < text.size() ? Trimmed(text.substr(word.size())) : "";
        if (word == "entry") {
            if (!ParseEntry(rest, *c, b, error))
                fail(i, error);
        } else if (word == "dump" || word == "bytes" || word == "rsmb") {
            if (word != "bytes")
                b.rawDump = c->table = true;
            c->rsmb = word == "rsmb";
            // Indented lines that follow go on with the same bytes.
            while (i + 1 < file.lines.size() && Indented(file.lines[i + 1]))
                rest += " " + file.lines[++i];
            if (!ParseByteTokens(rest, b.bytes, error))
                fail(i, error);
        } else if (word == "show") {
            std::istringstream views(rest);
            for (std::string view; views >> view;) {
                if (view != "index" && view != "tree" && view != "text" && view != "json")
                    fail(i, "show index, tree, text or json");
                c->shows.insert(view);
            }
        } else if (word == "set") {
            if (!ApplyFields(rest, b.bytes, error))
                fail(i, error);
        } else if (word == "expect" || word == "each") {
            // "each FIELDS => FIRST" is a variant whose first expected line stands on its own line.
            CaseExpect e;
            e.run = word == "each";
            size_t at = line.find("=>");
            Bytes bytes = b.bytes;
            if (e.run && (at == std::string::npos || !ApplyFields(text.substr(4, text.find("=>") - 4), bytes, error))) {
                fail(i, at == std::string::npos ? "each FIELDS => EXPECTED" : error);
                continue;
            }
            e.bytes = DumpOf(*c, b, bytes);
            e.prefix = e.run ? line.substr(0, at) + "=> " : "  ";
            e.firstLine = e.run ? i : i + 1;
            if (e.run) // its trailing blanks count
                e.lines.push_back(Unindented(line.substr(std::min(line.size(), at + 3)), 0));
            size_t last = takeBlock(i, e, e.prefix.size());
            e.lineCount = last + 1 - e.firstLine;
            c->expects.push_back(e);
            i = last;
        } else {
            fail(i, "unknown line '" + word + "'");
        }
    }
    for (const Case& each : file.cases)
        if (file.error.empty() && each.expects.empty())
            file.error = path + ":" + std::to_string(each.line) + ": case without 'expect' or 'each'";
    return file;
}

std::vector<std::string> ActualLines(const Case& c, const CaseExpect& e)
{
    if (c.table)
        return TableLines(e.bytes, c.rsmb, c.shows);
    MemoryList list(600);
    DetailFixture fixture(e.bytes, list);
    if (e.run)
        return RunOf(list.Rows(), RunDescription(e.lines.empty() ? "" : e.lines[0]));
    std::vector<std::string> lines;
    for (const Row& r : list.Rows())
        lines.push_back(RowLine(r));
    return lines;
}

std::string RewriteCaseFile(const CaseFile& file, const std::vector<std::vector<std::string>>& actual)
{
    std::string out;
    size_t next = 0, k = 0;
    std::vector<const CaseExpect*> all;
    for (const Case& c : file.cases)
        for (const CaseExpect& e : c.expects)
            all.push_back(&e);
    for (const CaseExpect* e : all) {
        for (; next < e->firstLine; ++next)
            out += file.lines[next] + "\n";
        const std::vector<std::string>& lines = actual[k++];
        if (e->run)
            out += e->prefix + (lines.empty() ? "" : lines[0]) + "\n";
        for (size_t n = e->run ? 1 : 0; n < lines.size(); ++n)
            out += (lines[n].empty() ? "" : std::string(e->prefix.size(), ' ') + lines[n]) + "\n";
        next = e->firstLine + e->lineCount;
    }
    for (; next < file.lines.size(); ++next)
        out += file.lines[next] + "\n";
    return out;
}
