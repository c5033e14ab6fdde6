#pragma once
// How the views write: a buffer for the output, kept or streamed, and table text
// escaped for a JSON string, a terminal line or HTML text.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/copy_bytes.h"
#include "ui/memory_controls.h"

// The output of a view, written through a pointer: its text is thousands of short
// pieces, and std::string's append checks and moves cost more than the copying. It
// either keeps the whole output, or streams it a buffer at a time: a large table's
// view is megabytes, and every page of memory a process first touches costs it.
class ViewWriter {
public:
    // Keeps the whole output for Take.
    explicit ViewWriter(size_t expected) : m_data(new char[expected]), m_capacity(expected) {}
    // Hands the output to sink whenever the buffer is full, and at Finish.
    explicit ViewWriter(std::FILE* sink) : m_data(new char[kStreamBuffer]), m_capacity(kStreamBuffer), m_sink(sink) {}

    // Room for n more bytes; write them, then Advance.
    char* Room(size_t n)
    {
        if (m_capacity - m_used < n)
            MakeRoom(n);
        return m_data.get() + m_used;
    }
    void Advance(size_t n) { m_used += n; }
    void Put(const char* s, size_t n)
    {
        CopyBytes(Room(n), s, n);
        m_used += n;
    }
    void Put(std::string_view s) { Put(s.data(), s.size()); }
    template <size_t N>
    void Put(const char (&literal)[N])
    {
        Put(literal, N - 1);
    }
    void Put(char c) { *Room(1) = c, ++m_used; }
    void Spaces(size_t n)
    {
        std::memset(Room(n), ' ', n);
        m_used += n;
    }
    void Number(uint64_t value)
    {
        char* at = Room(20);
        m_used += static_cast<size_t>(std::to_chars(at, at + 20, value).ptr - at);
    }
    // "0x%04X" of a handle.
    void Handle(uint16_t handle)
    {
        const char* const digits = "0123456789ABCDEF";
        char* at = Room(6);
        at[0] = '0', at[1] = 'x';
        for (int k = 0; k < 4; ++k)
            at[2 + k] = digits[(handle >> (12 - 4 * k)) & 0xF];
        m_used += 6;
    }
    // The whole output, when kept.
    std::string Take() { return std::string(m_data.get(), m_used); }
    // Streaming: writes what is left; false when any write failed.
    bool Finish();

private:
    static constexpr size_t kStreamBuffer = 64 * 1024;
    void MakeRoom(size_t n);

    std::unique_ptr<char[]> m_data; // uninitialised: every byte is written before it is read
    size_t m_capacity;
    size_t m_used = 0;
    std::FILE* m_sink = nullptr;
    bool m_failed = false;
};

// The kinds of output: JSON string literals (quoted, '"' and the backslash escaped,
// controls as \u00XX), terminal lines (controls as \xNN) and HTML text, in elements
// or quoted attribute values (& < > " as references, controls as \xNN, as on a terminal).
enum class Escaping { Json, Terminal, Html };

// Table text is 8-bit (Latin-1 as far as it means anything) and goes out as UTF-8 with
// C1 controls escaped too; utf8 text (paths of this machine) keeps its bytes.
// Returns how many control bytes it escaped.
size_t AppendEscaped(ViewWriter& out, std::string_view s, Escaping kind, bool utf8 = false);
// Table text escaped by a list as each cell arrives (see MemoryList), for the views that
// show the cells: each is escaped once, and written out as it is.
CellEncoder CellEncoderFor(Escaping kind);
// Display width of text that is already escaped for a terminal.
size_t EscapedTerminalWidth(std::string_view s);
// A path that is valid UTF-8 keeps its bytes; any other is shown like table text.
void AppendPath(ViewWriter& out, const std::string& path, Escaping kind);

// Table text for a terminal: control bytes as \xNN, the rest Latin-1 in UTF-8.
std::string TerminalText(std::string_view latin1);
