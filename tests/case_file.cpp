#include "tests/case_file.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "reader/table_reader.h"
#include "shell/find.h"
#include "shell/summary.h"
#include "shell/tree_builder.h"
#include "shell/view_writer.h"
#include "shell/views.h"
#include "tests/decode_helpers.h"

namespace {

bool Blank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }
bool Indented(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

// The line without the block's indentation; its own blanks are kept.
std::string Unindented(const std::string& line, size_t indent)
{
    std::string s = line.substr(std::min({indent, line.find_first_not_of(' '), line.size()}));
    if (!s.empty() && s.back() == '\r')
        s.pop_back();
    return s;
}

bool Number(const std::string& s, int base, uint64_t& out)
{
    char* end = nullptr;
    out = std::strtoull(s.c_str(), &end, base);
    return !s.empty() && *end == '\0';
}

// "OFF:W=VALUE" tokens, all hexadecimal: a little-endian field of W bytes at OFF.
bool ApplyFields(const std::string& text, Bytes& bytes)
{
    std::istringstream in(text);
    for (std::string token; in >> token;) {
        size_t colon = token.find(':'), equals = token.find('=', colon);
        uint64_t offset = 0, width = 0, value = 0;
        if (equals == std::string::npos || !Number(token.substr(0, colon), 16, offset) ||
            !Number(token.substr(colon + 1, equals - colon - 1), 16, width) || !Number(token.substr(equals + 1), 16, value) ||
            width < 1 || width > 8 || offset + width > bytes.size())
            return false;
        for (uint64_t n = 0; n < width; ++n)
            bytes[offset + n] = static_cast<uint8_t>(value >> (8 * n));
    }
    return true;
}

// "entry sm|sm3 [count N] [max N] [version M.m] [at N] [address N]": the entry point put
// before the table, which starts at "at".
bool ParseEntry(const std::string& text, Bytes& entry, uint64_t& at)
{
    std::istringstream in(text);
    std::string kind, key, value;
    in >> kind;
    bool sm3 = kind == "sm3";
    std::map<std::string, uint64_t> n = {{"count", 0}, {"max", 0}, {"at", 0x20}, {"address", ~0ull},
                                         {"major", sm3 ? 3 : 2}, {"minor", sm3 ? 0 : 8}};
    while (in >> key >> value) {
        size_t dot = value.find('.');
        if (key == "version" && dot != std::string::npos && Number(value.substr(0, dot), 10, n["major"]))
            key = "minor", value = value.substr(dot + 1);
        if (!n.count(key) || !Number(value, 0, n[key]))
            return false;
    }
    at = n["at"];
    uint64_t address = n["address"] == ~0ull ? at : n["address"];
    auto major = static_cast<uint8_t>(n["major"]), minor = static_cast<uint8_t>(n["minor"]);
    entry = sm3 ? EntryPointSm3(address, static_cast<uint32_t>(n["max"]), major, minor)
                : EntryPointSm(static_cast<uint32_t>(address), static_cast<uint16_t>(n["count"]), major, minor);
    return sm3 || kind == "sm";
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFF);
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> TableLines(const Case& c, const Bytes& dump)
{
    std::unique_ptr<ITableLocator> locator = std::make_unique<DumpFileLocator>("case", dump, TableOrigin::Saved);
    if (c.rsmb)
        locator = std::make_unique<FirmwareTableLocator>([dump](std::vector<uint8_t>& out, std::string&) {
            out = dump;
            return true;
        });
    CTableReader reader(std::move(locator));
    if (reader.Open() != kOk)
        return {"no table: " + reader.Reason()};
    std::vector<std::string> lines{"indexed " + std::to_string(reader.IndexedCount()) +
                                   (reader.Anchor() == AnchorKind::Sm ? " of " + std::to_string(reader.StructureCount()) : "")};
    for (const std::string& p : reader.Problems())
        lines.push_back("problem: " + p);
    for (const std::string view : {"list", "tree", "text", "json", "html", "summary"}) {
        if (!c.shows.count(view))
            continue;
        std::vector<std::string> more;
        if (view == "tree") {
            MemoryTree tree;
            std::function<void(TreeItem, const std::string&)> walk = [&](TreeItem item, const std::string& depth) {
                const MemoryTree::Node* n = tree.Find(item);
                more.push_back(depth + n->text + " [" + Hex4(n->data) + "]");
                for (TreeItem child : n->children)
                    walk(child, depth + "> ");
            };
            walk(BuildTree(reader, tree, "PC"), "");
        } else {
            more = Lines(view == "list"      ? RenderList(reader)
                         : view == "text"    ? RenderText(reader, "PC")
                         : view == "json"    ? RenderJson(reader, "PC")
                         : view == "html"    ? RenderHtml(reader, "PC")
                                             : RenderSummary(reader));
        }
        lines.insert(lines.end(), more.begin(), more.end());
    }
    for (const std::string& quoted : c.finds) {
        // Each match as the tree node it selects, its index entry and the row it would select.
        Bytes text;
        ParseByteTokens(quoted, text);
        std::vector<FindMatch> found = FindStructures(reader, std::string(text.begin(), text.end() - 1));
        MemoryTree tree;
        TreeItem root = BuildTree(reader, tree, "PC");
        MemoryList rows(600);
        lines.push_back("find " + quoted + ": " + std::to_string(found.size()));
        for (const FindMatch& m : found) {
            const MemoryTree::Node* node = tree.Find(tree.Find(root)->children.at(static_cast<size_t>(m.typeNode)));
            if (m.instance >= 0)
                node = tree.Find(node->children.at(static_cast<size_t>(m.instance)));
            DecodeStructure(reader, m.index, rows);
            lines.push_back("> " + node->text + " [" + std::to_string(m.index) + "] " +
                            (m.row < 0 ? "caption" : TerminalText(RowLine(rows.Rows().at(static_cast<size_t>(m.row))))));
        }
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

bool ParseByteTokens(const std::string& text, Bytes& out)
{
    // A group "(...)", a quoted text or a hex byte, each with an optional "*N".
    for (size_t i = text.find_first_not_of(" \t\r"); i < text.size(); i = text.find_first_not_of(" \t\r", i)) {
        Bytes piece;
        if (text[i] == '(') {
            size_t close = text.find(')', i);
            if (close == std::string::npos || !ParseByteTokens(text.substr(i + 1, close - i - 1), piece))
                return false;
            i = close + 1;
        } else if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                bool hex = text[i] == '\\' && text.compare(i + 1, 1, "x") == 0;
                uint64_t code = 0;
                if (hex && !Number(text.substr(i + 2, 2), 16, code))
                    return false;
                piece.push_back(hex ? static_cast<uint8_t>(code) : static_cast<uint8_t>(text[i] == '\\' ? text[++i] : text[i]));
                i += hex ? 3 : 0;
            }
            if (i++ >= text.size())
                return false; // no closing quote
            piece.push_back(0);
        } else {
            uint64_t byte = 0;
            if (!Number(text.substr(i, 2), 16, byte))
                return false;
            piece.push_back(static_cast<uint8_t>(byte));
            i += 2;
        }
        uint64_t times = 1;
        if (i < text.size() && text[i] == '*') {
            size_t end = std::min(text.find_first_of(" \t\r", i), text.size());
            if (!Number(text.substr(i + 1, end - i - 1), 10, times))
                return false;
            i = end;
        }
        if (i < text.size() && std::string(" \t\r").find(text[i]) == std::string::npos)
            return false; // something glued to the token
        for (; times > 0; --times)
            out.insert(out.end(), piece.begin(), piece.end());
    }
    return true;
}

CaseFile ParseCaseFile(const std::string& path)
{
    CaseFile file{path, {}, {}, ""};
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        file.lines.push_back(line);
    Bytes bytes, entry;
    uint64_t at = 0;
    // The indented lines after line i belong to it; a blank line does too when an indented one follows.
    auto block = [&](size_t& i, size_t indent) {
        std::vector<std::string> lines;
        for (size_t next = i + 1; next < file.lines.size() && (Blank(file.lines[next]) || Indented(file.lines[next])); ++next) {
            if (Blank(file.lines[next]))
                continue;
            for (++i; i < next; ++i)
                lines.emplace_back();
            lines.push_back(Unindented(file.lines[i], indent));
        }
        return lines;
    };
    for (size_t i = 0; i < file.lines.size() && file.error.empty(); ++i) {
        const std::string& line = file.lines[i];
        if (Blank(line) || line[0] == '#')
            continue;
        std::string word = line.substr(0, line.find(' '));
        std::string rest = Unindented(line.substr(word.size()), std::string::npos);
        if (word == "==") {
            file.cases.push_back({rest, i + 1, false, false, {}, {}, {}});
            bytes.clear();
            entry.clear();
            continue;
        }
        Case* c = file.cases.empty() ? nullptr : &file.cases.back();
        bool ok = c != nullptr;
        if (!ok) {
        } else if (word == "entry") {
            ok = ParseEntry(rest, entry, at);
            c->table = true;
        } else if (word == "dump" || word == "bytes" || word == "rsmb") {
            c->table = c->table || word != "bytes";
            c->rsmb = word == "rsmb";
            for (const std::string& more : block(i, 0))
                rest += " " + more;
            ok = ParseByteTokens(rest, bytes);
        } else if (word == "show") {
            std::istringstream views(rest);
            for (std::string view; views >> view;)
                c->shows.insert(view);
            ok = !c->shows.empty() && std::all_of(c->shows.begin(), c->shows.end(), [](const std::string& v) {
                return v == "list" || v == "tree" || v == "text" || v == "json" || v == "html" || v == "summary";
            });
        } else if (word == "find") {
            Bytes text;
            ok = ParseByteTokens(rest, text) && text.size() > 1 && text.back() == 0;
            c->finds.push_back(rest);
        } else if (word == "set") {
            ok = ApplyFields(rest, bytes);
        } else if (word == "expect" || word == "each") {
            // "each FIELDS => FIRST": a variant whose first expected line stands on its own line.
            CaseExpect e;
            e.run = word == "each";
            size_t arrow = line.find("=>");
            e.bytes = bytes;
            ok = !e.run || (arrow != std::string::npos && ApplyFields(line.substr(4, arrow - 4), e.bytes));
            if (!ok)
                break;
            if (c->table && !entry.empty()) { // the entry point, zeros up to the table, the table
                entry.resize(std::max<size_t>(entry.size(), at), 0);
                e.bytes.insert(e.bytes.begin(), entry.begin(), entry.end());
            }
            e.prefix = e.run ? line.substr(0, arrow) + "=> " : "  ";
            e.firstLine = e.run ? i : i + 1;
            if (e.run) // its trailing blanks count
                e.lines.push_back(Unindented(line.substr(std::min(line.size(), arrow + 3)), 0));
            for (const std::string& l : block(i, e.prefix.size()))
                e.lines.push_back(l);
            e.lineCount = i + 1 - e.firstLine;
            c->expects.push_back(e);
        } else {
            ok = false;
        }
        if (!ok)
            file.error = path + ":" + std::to_string(i + 1) + ": cannot read '" + line + "'";
    }
    for (const Case& c : file.cases)
        if (file.error.empty() && c.expects.empty())
            file.error = path + ":" + std::to_string(c.line) + ": case without 'expect' or 'each'";
    return file;
}

std::vector<std::string> ActualLines(const Case& c, const CaseExpect& e)
{
    if (c.table)
        return TableLines(c, e.bytes);
    MemoryList list(600);
    DetailFixture fixture(e.bytes, list);
    // A run: the row with the Description the first expected line names ("no \"Name\""
    // when it must be absent), and the rows with an empty Description after it.
    const std::string first = e.lines.empty() ? "" : e.lines[0];
    bool absent = first.size() > 4 && first.compare(0, 4, "no \"") == 0 && first.back() == '"';
    const std::string name = absent ? first.substr(4, first.size() - 5) : first.substr(0, first.find(" |"));
    const Rows& rows = list.Rows();
    size_t i = 0;
    while (e.run && i < rows.size() && rows[i][0] != name)
        ++i;
    std::vector<std::string> lines;
    for (; i < rows.size() && (!e.run || lines.empty() || rows[i][0].empty()); ++i)
        lines.push_back(RowLine(rows[i]));
    if (e.run && lines.empty())
        lines.push_back("no \"" + name + "\"");
    return lines;
}

std::string RewriteCaseFile(const CaseFile& file, const std::vector<std::vector<std::string>>& actual)
{
    std::string out;
    size_t next = 0, k = 0;
    for (const Case& c : file.cases) {
        for (const CaseExpect& e : c.expects) {
            for (; next < e.firstLine; ++next)
                out += file.lines[next] + "\n";
            const std::vector<std::string>& lines = actual[k++];
            if (e.run)
                out += e.prefix + (lines.empty() ? "" : lines[0]) + "\n";
            for (size_t n = e.run ? 1 : 0; n < lines.size(); ++n)
                out += (lines[n].empty() ? "" : std::string(e.prefix.size(), ' ') + lines[n]) + "\n";
            next = e.firstLine + e.lineCount;
        }
    }
    for (; next < file.lines.size(); ++next)
        out += file.lines[next] + "\n";
    return out;
}
