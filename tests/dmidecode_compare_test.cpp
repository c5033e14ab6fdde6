// Decodes the dumps in tests/data, and the structures of the case files that map.txt names put in
// a table, with dmidecode and with our decoders, and compares the values that
// dmidecode/map.txt pairs, normalised as it says: a difference in meaning fails.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

#include "tests/case_file.h"
#include "tests/decode_helpers.h"

namespace {

using Strings = std::vector<std::string>;
using Fields = std::vector<std::pair<std::string, std::string>>; // dmidecode's, in order; keys may repeat
const std::string kDir = LUMETRA_DMIDECODE_DIR;

// The parts between the separators, blanks at their ends dropped.
Strings Split(const std::string& s, char by)
{
    Strings parts;
    std::stringstream ss(s);
    for (std::string p; std::getline(ss, p, by);) {
        size_t from = p.find_first_not_of(' '), to = p.find_last_not_of(' ');
        parts.push_back(from == std::string::npos ? "" : p.substr(from, to - from + 1));
    }
    return parts;
}

std::string Join(const Strings& parts, const char* by)
{
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i ? by : "") + parts[i];
    return out;
}

// ---- normalising, with the "same" and "unit" tables of map.txt ----

std::map<std::string, std::string> sameMeaning;
std::map<std::string, std::pair<std::string, double>> unitsOf;
std::vector<std::string> caseFiles; // map.txt's "cases" lines

std::string Lower(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '#')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "Is supported" and similar tails carry no meaning of their own.
std::string Text(const std::string& s)
{
    std::string t = Lower(s);
    for (std::string tail : {"issupported", "supported"})
        if (t.size() > tail.size() && t.compare(t.size() - tail.size(), tail.size(), tail) == 0) {
            t.erase(t.size() - tail.size());
            break;
        }
    return sameMeaning.count(t) ? sameMeaning[t] : t;
}

// Processor family names: we spell out maker and kind, dmidecode does not.
std::string Family(const std::string& s)
{
    static const std::set<std::string> noise = {"intel", "amd", "via", "processor", "processors", "family", "series"};
    std::string out;
    for (const std::string& word : Split(s, ' '))
        out += noise.count(Lower(word)) ? "" : Lower(word);
    return out;
}

// A quantity in base units, a number, a hexadecimal number, else the text.
std::string Value(const std::string& s)
{
    double number = 0;
    char rest[64] = {}, *end = nullptr;
    std::strtod(s.c_str(), &end);
    if (s.rfind("0x", 0) == 0)
        return "hex:" + std::to_string(std::strtoull(s.c_str() + 2, nullptr, 16));
    int fields = std::sscanf(s.c_str(), "%lf %63[^\n]", &number, rest);
    if (fields == 1 && *end == '\0') // not when the text goes on without a blank ("1x or x1")
        return "n:" + std::to_string(std::llround(number * 1000));
    if (fields == 2 && unitsOf.count(rest))
        return unitsOf[rest].first + ":" + std::to_string(std::llround(number * unitsOf[rest].second));
    return Text(s);
}

// The words of a text, sorted, for comparing as a multiset.
Strings Words(const std::string& s)
{
    Strings words;
    for (const std::string& word : Split(s, ' '))
        if (!Lower(word).empty())
            words.push_back(Lower(word));
    std::sort(words.begin(), words.end());
    return words;
}

// ---- the map ----

struct Rule {
    int line = 0, type = 0;
    std::string row, key, how, when;
    int compared = 0, agreeing = 0;
};

std::vector<Rule> ReadMap()
{
    std::vector<Rule> rules;
    std::ifstream in(kDir + "/map.txt");
    int n = 0;
    for (std::string line; std::getline(in, line);) {
        Strings p = Split(line, '|');
        p.resize(std::max<size_t>(p.size(), 5));
        if (++n, line.empty() || line[0] == '#')
            continue;
        if (p[0] == "same")
            sameMeaning[Lower(p[1])] = Lower(p[2]);
        else if (p[0] == "unit")
            unitsOf[p[1]] = {p[2], std::stod(p[3])};
        else if (p[0] == "cases")
            caseFiles.push_back(p[1]);
        else
            rules.push_back({n, std::stoi(p[0]), p[1], p[2], p[3], p[4]});
        static const std::set<std::string> kHow = {"value", "family", "words", "flags", "flags-within"};
        EXPECT_TRUE(p[0] == "same" || p[0] == "unit" || p[0] == "cases" || kHow.count(p[3].substr(0, p[3].find(':'))))
            << "map.txt:" << n << ": no comparison \"" << p[3] << "\"";
    }
    return rules;
}

// Every "@OFF[&MASK]" term of WHEN holds: the structure reaches OFF, and its byte there,
// masked, is one of the codes or ranges after the term.
bool Holds(const Rule& r, const uint8_t* s)
{
    bool all = true, term = true;
    unsigned offset = 0, mask = 0xFF, first = 0, last = 0;
    std::istringstream in(r.when);
    for (std::string token; in >> token;) {
        all = all && (token[0] != '@' || term);
        if (token[0] == '@') {
            term = false;
            mask = 0xFF;
            EXPECT_GE(std::sscanf(token.c_str(), "@%x&%x", &offset, &mask), 1) << "map.txt:" << r.line;
            continue;
        }
        int n = std::sscanf(token.c_str(), "%x-%x", &first, &last);
        EXPECT_GE(n, 1) << "map.txt:" << r.line << ": \"" << token << "\"";
        term = term || (s[1] > offset && (s[offset] & mask) >= first && (s[offset] & mask) <= (n == 2 ? last : first));
    }
    return all && term;
}

struct Outcome {
    bool compared = false, agree = false;
    std::string ours, theirs;
};

// Our values (of the row and the unnamed rows after it, by Description) against dmidecode's.
Outcome Compare(const Rule& r, const std::map<std::string, Strings>& rows, const Fields& fields)
{
    bool flags = r.how.rfind("flags", 0) == 0, within = r.how == "flags-within", have = true;
    Strings ours, firsts, theirs;
    for (const std::string& part : Split(r.row, '+')) {
        auto it = rows.find(part);
        have = have && it != rows.end();
        if (have) {
            ours = it->second;
            firsts.push_back(ours[0]);
        }
    }
    if (firsts.size() > 1) // "A + B": the rows' first values, joined by a blank
        ours = {Join(firsts, " ")};
    for (const auto& [key, value] : fields)
        if ((!flags || !value.empty()) && (key == r.key || (r.key.back() == '*' && key.rfind(r.key.substr(0, r.key.size() - 1), 0) == 0)))
            theirs.push_back(value);
    // A row we lack compares nothing, but with flags that dmidecode lists: none of ours, then.
    if (!have && (!flags || within || theirs.empty()))
        return {};
    std::string a = Join(ours, "|"), b = theirs.empty() ? "<absent>" : theirs[0];
    auto norm = r.how == "family" ? Family : Value;
    if (r.how == "value" || r.how == "family") // a key dmidecode leaves out agrees only with no value
        return {true, theirs.empty() ? Value(a).empty() || Value(a) == "unknown" : norm(a) == norm(b), a, b};
    if (r.how == "words") {
        Strings w = Words(Join(ours, " ")), x = Words(theirs.empty() ? "" : theirs[0]);
        return {true, std::includes(w.begin(), w.end(), x.begin(), x.end()), Join(ours, " "), b};
    }
    // Flags as sets, without ours listed after "flags:", and with flags-within only
    // dmidecode's flags that we give too (it merges groups we keep apart).
    Strings unprinted = r.how.find(':') != std::string::npos ? Split(r.how.substr(r.how.find(':') + 1), ',') : Strings{};
    std::multiset<std::string> mine, its;
    for (const std::string& f : ours)
        if (!f.empty() && std::count(unprinted.begin(), unprinted.end(), f) == 0)
            mine.insert(Text(f));
    for (const std::string& f : theirs)
        if (!within || mine.count(Text(f)))
            its.insert(Text(f));
    return {true, mine == its, a, std::to_string(its.size()) + " of its flags"};
}

// dmidecode's fields by handle, the items of a list under "Key:".
std::map<uint16_t, Fields> RunDmidecode(const std::string& dmidecode, const std::string& dump)
{
    std::map<uint16_t, Fields> records;
    FILE* pipe = popen(("'" + dmidecode + "' --from-dump '" + dump + "' 2>&1").c_str(), "r");
    Fields* fields = nullptr;
    std::string listKey;
    for (char buffer[4096]; pipe && std::fgets(buffer, sizeof buffer, pipe);) {
        std::string line(buffer, std::strcspn(buffer, "\n"));
        unsigned handle = 0;
        size_t colon = line.find(':');
        if (std::sscanf(line.c_str(), "Handle 0x%X,", &handle) == 1) {
            fields = &records[static_cast<uint16_t>(handle)];
            listKey.clear();
        } else if (fields && line.rfind("\t\t", 0) == 0 && !listKey.empty()) {
            fields->emplace_back(listKey + ":", line.substr(2));
        } else if (fields && line.rfind("\t", 0) == 0 && line[1] != '\t' && colon != std::string::npos) {
            fields->emplace_back(line.substr(1, colon - 1), line.substr(std::min(colon + 2, line.size())));
            listKey = fields->back().second.empty() ? fields->back().first : "";
        }
    }
    if (pipe)
        pclose(pipe);
    return records;
}

// Decodes every structure of the dump both ways and counts each comparison on its rule.
void CompareDump(const std::string& dmidecode, const std::string& dump, std::vector<Rule>& rules)
{
    auto dmi = RunDmidecode(dmidecode, dump);
    ASSERT_FALSE(dmi.empty()) << dump << ": dmidecode decoded nothing";
    CTableReader reader(MakeSavedTableLocator(dump));
    ASSERT_EQ(reader.Open(), kOk) << dump;
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        auto record = dmi.find(s.Handle());
        if (record == dmi.end())
            continue;
        std::map<std::string, Strings> rows; // by Description; "column 3" holds type 10's own column
        std::string last;
        Decoded ours = Decode(Bytes(s.start, s.start + s.size));
        for (const Row& row : ours.rows()) {
            if (row.size() > 2)
                rows["column 3"].push_back(row[2]);
            if (!row[0].empty())
                last = rows.count(row[0]) ? "" : row[0];
            if (!last.empty())
                rows[last].push_back(row[1]);
        }
        for (Rule& rule : rules) {
            Outcome o = rule.type == s.Type() && Holds(rule, s.start) ? Compare(rule, rows, record->second)
                                                                      : Outcome{};
            rule.compared += o.compared;
            rule.agreeing += o.agree;
            EXPECT_TRUE(o.agree || !o.compared)
                << dump << ", handle 0x" << std::hex << s.Handle() << std::dec << ", map.txt:" << rule.line << " (type "
                << rule.type << ", " << rule.row << "): ours \"" << o.ours << "\", dmidecode \"" << o.theirs << "\"";
        }
    }
}

// The structure cases of the named files in an "_SM3_" 3.4 table, written as dmidecode
// --dump-bin writes one.
std::string WriteDump(const std::vector<std::string>& names)
{
    Bytes table;
    for (const std::string& name : names) {
        CaseFile file = ParseCaseFile(std::string(LUMETRA_CASE_DIR) + "/" + name);
        EXPECT_TRUE(file.error.empty() && !file.cases.empty()) << name << ": " << file.error;
        for (const Case& c : file.cases)
            if (!c.table && c.expects.at(0).bytes.at(0) != 127) // an End-of-Table would end dmidecode's walk
                table.insert(table.end(), c.expects.at(0).bytes.begin(), c.expects.at(0).bytes.end());
    }
    Bytes dump = EntryPointSm3(0x20, static_cast<uint32_t>(table.size()), 3, 4);
    dump[0x0A] = 1; // entry point revision
    dump[0x05] = static_cast<uint8_t>(-std::accumulate(dump.begin(), dump.end(), 0)); // checksum
    dump.resize(0x20, 0);
    dump.insert(dump.end(), table.begin(), table.end());
    std::string path = testing::TempDir() + "lumetra_built_dump.bin";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(dump.data()),
                                                static_cast<std::streamsize>(dump.size()));
    return path;
}

} // namespace

TEST(Dmidecode, LaterFieldsAndNamesAgree)
{
    std::string dmidecode;
    for (const char* path : {"/usr/sbin/dmidecode", "/sbin/dmidecode", "/usr/bin/dmidecode", "/usr/local/sbin/dmidecode"})
        if (dmidecode.empty() && access(path, X_OK) == 0)
            dmidecode = path;
    if (dmidecode.empty())
        GTEST_SKIP() << "dmidecode is not installed, so the comparison with it did not run "
                        "(tools/setup.sh installs it)";

    std::vector<Rule> rules = ReadMap();
    ASSERT_GT(rules.size(), 0u) << "nothing read from " << kDir << "/map.txt";
    for (const auto& entry : std::filesystem::directory_iterator(LUMETRA_TEST_DATA))
        if (std::filesystem::exists(entry.path() / "dump.bin"))
            CompareDump(dmidecode, (entry.path() / "dump.bin").string(), rules);
    CompareDump(dmidecode, WriteDump(caseFiles), rules);

    std::map<int, std::pair<int, int>> perType; // compared, agreeing; -1 for all
    for (const Rule& r : rules) {
        // A line that compares nothing has lost its row, its key or its structures.
        EXPECT_GT(r.compared, 0) << "map.txt:" << r.line << " (type " << r.type << ", " << r.row << ") compared nothing";
        for (int type : {r.type, -1}) {
            perType[type].first += r.compared;
            perType[type].second += r.agreeing;
        }
    }
    std::printf("dmidecode comparison (fields compared / agreeing):\n");
    for (const auto& [type, t] : perType)
        if (type >= 0)
            std::printf("  type %3d: %3d / %3d\n", type, t.first, t.second);
    std::printf("  total   : %3d / %3d\n", perType[-1].first, perType[-1].second);
}
