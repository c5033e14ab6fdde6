#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "shell/view_writer.h"
#include "shell/views.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

// What the views print for crafted tables is in cases/views.case.

#ifndef _WIN32 // Windows names files in its own code page, not in bytes
TEST(Views, UtfEightPathsKeepTheirBytes)
{
    std::string path = ::testing::TempDir() + "tabl\xc3\xa9.bin";
    std::string copy = "cp '" + TestData("pc-default/dump.bin") + "' '" + path + "'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    CTableReader reader(MakeSavedTableLocator(path));
    ASSERT_EQ(reader.Open(), kOk);
    EXPECT_NE(RenderJson(reader, "PC").find("\"source\": \"" + path + "\""), std::string::npos);
    EXPECT_NE(RenderText(reader, "PC").find(" from " + path + ", "), std::string::npos);
    // The root names the file alone; tree text is Latin-1, so the é comes out as UTF-8 again.
    EXPECT_NE(RenderText(reader, "PC").find("\nSaved Table : tabl\xc3\xa9.bin\n"), std::string::npos);
}
#endif

// A decoder may change its columns after adding rows; the compact list must move each
// row's cells with them.
TEST(MemoryList, ColumnsChangedAroundRowsKeepEachRowsCells)
{
    MemoryList list;
    list.InsertColumn(0, "Description", 200);
    list.InsertColumn(1, "Value", 400);
    const char* cells[] = {"a", nullptr};
    list.InsertRow(0, cells, 2);
    list.InsertItem(0, "first");
    list.SetItemText(0, 1, "one");
    EXPECT_FALSE(list.SetItemText(5, 1, "nowhere"));
    list.InsertColumn(1, "Middle", 100);
    list.SetItemText(1, 2, "two");
    list.DeleteColumn(0);
    list.InsertItem(9, "last");

    ASSERT_EQ(list.Columns().size(), 2u);
    EXPECT_EQ(list.Columns()[0].heading, "Middle");
    EXPECT_EQ(list.Columns()[1].width, 400);
    EXPECT_EQ(list.Rows(), (std::vector<std::vector<std::string>>{{"", "one"}, {"", "two"}, {"last", ""}}));
}

// The program streams its views a buffer at a time: a table whose views span many
// buffers, with texts of every length around the sixteen bytes tested at once, must
// stream what the kept view holds, and a stream that fails must say so.
TEST(Views, StreamedAsKeptAndFailuresReported)
{
    std::vector<Bytes> structures;
    for (uint16_t h = 0; h < 1200; ++h)
        structures.push_back(Structure(static_cast<uint8_t>(h % 50), h, Bytes(h % 24, static_cast<uint8_t>(h)),
                                       {std::string(h % 37, static_cast<char>('a' + h % 26)) + "\"\\<\x01\xe9"}));
    std::unique_ptr<CTableReader> reader = OpenTable(structures);
    using Render = std::string (*)(CTableReader&);
    using Write = bool (*)(CTableReader&, std::FILE*);
    const std::pair<Render, Write> views[] = {
        {[](CTableReader& r) { return RenderJson(r, "PC"); }, [](CTableReader& r, std::FILE* f) { return WriteJson(r, "PC", f); }},
        {[](CTableReader& r) { return RenderText(r, "PC"); }, [](CTableReader& r, std::FILE* f) { return WriteText(r, "PC", f); }},
        {[](CTableReader& r) { return RenderHtml(r, "PC"); }, [](CTableReader& r, std::FILE* f) { return WriteHtml(r, "PC", f); }},
        {[](CTableReader& r) { return RenderList(r); }, [](CTableReader& r, std::FILE* f) { return WriteList(r, f); }}};
    for (const auto& [render, write] : views) {
        std::string kept = render(*reader);
        ASSERT_GT(kept.size(), 64u * 1024); // more than one buffer
        std::FILE* file = std::tmpfile();
        ASSERT_TRUE(write(*reader, file));
        std::string streamed(static_cast<size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        EXPECT_EQ(std::fread(&streamed[0], 1, streamed.size(), file), kept.size());
        std::fclose(file);
        EXPECT_EQ(streamed, kept);
#ifndef _WIN32
        std::FILE* full = std::fopen("/dev/full", "w");
        ASSERT_NE(full, nullptr);
        EXPECT_FALSE(write(*reader, full));
        std::fclose(full);
#endif
    }
}

// Escaping goes byte by byte in meaning, whatever runs the fast paths take: a text
// escapes as its bytes do one at a time, and counts the controls they count (the text
// view's widths come from them).
TEST(Views, EscapingIsByteByByteAtEveryLengthAndPlace)
{
    for (Escaping kind : {Escaping::Json, Escaping::Terminal, Escaping::Html}) {
        auto escaped = [kind](std::string_view s, size_t& controls) {
            ViewWriter out(16);
            controls += AppendEscaped(out, s, kind);
            std::string text = out.Take();
            return kind == Escaping::Json ? text.substr(1, text.size() - 2) : text; // without the quotes
        };
        for (size_t size = 0; size <= 40; ++size)
            for (size_t at = 0; at <= size; ++at)
                for (char odd : {'"', '\\', '<', '&', '\x01', '\x1f', '\x7f', '\x80', '\x9f', '\xa0', '\xe9', '\xff'}) {
                    std::string text(size, 'x');
                    if (at < size)
                        text[at] = odd;
                    std::string bytewise;
                    size_t controls = 0, bytewiseControls = 0;
                    for (char c : text)
                        bytewise += escaped(std::string_view(&c, 1), bytewiseControls);
                    ASSERT_EQ(escaped(text, controls), bytewise) << int(kind) << " size " << size << " at " << at;
                    ASSERT_EQ(controls, bytewiseControls) << int(kind) << " size " << size << " at " << at;
                }
    }
}
