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
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/copy_bytes.h"

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
        static constexpr char kBlanks[] = "                                                                ";
        if (n < sizeof kBlanks)
            CopyBytes(Room(n), kBlanks, n); // a few, nearly always: no call to memset
        else
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
    // The whole output, when kept; Clear starts it again in the same memory.
    std::string Take() { return std::string(m_data.get(), m_used); }
    std::string_view Text() const { return {m_data.get(), m_used}; }
    char* At(size_t offset) { return m_data.get() + offset; } // of what is kept
    void Clear() { m_used = 0; }
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

// What escaping may make of size bytes: six for one at most ("\\u00XX", "&quot;"), and
// two quotes.
constexpr size_t EscapedRoom(size_t size)
{
    return size * 6 + 2;
}

// The kinds of output: JSON string literals (quoted, '"' and the backslash escaped,
// controls as \u00XX), terminal lines (controls as \xNN) and HTML text, in elements
// or quoted attribute values (& < > " as references, controls as \xNN, as on a terminal).
enum class Escaping { Json, Terminal, Html };

#ifdef __SSE2__
// A bit for each of the sixteen bytes that the kind does not copy as it is.
template <Escaping kKind>
[[gnu::always_inline]] inline unsigned NotPlainMask(__m128i x)
{
    // Signed, the bytes from 0x80 are below 0x20 too.
    __m128i found = _mm_or_si128(_mm_cmplt_epi8(x, _mm_set1_epi8(0x20)), _mm_cmpeq_epi8(x, _mm_set1_epi8(0x7F)));
    auto either = [&](char c) { found = _mm_or_si128(found, _mm_cmpeq_epi8(x, _mm_set1_epi8(c))); };
    if (kKind == Escaping::Json)
        either('"'), either('\\');
    if (kKind == Escaping::Html)
        either('"'), either('&'), either('<'), either('>');
    return static_cast<unsigned>(_mm_movemask_epi8(found));
}
#endif

// Table text is 8-bit (Latin-1 as far as it means anything) and goes out as UTF-8 with
// C1 controls escaped too; utf8 text (paths of this machine) keeps its bytes.
// Returns how many control bytes it escaped.
size_t AppendEscapedAny(ViewWriter& out, std::string_view s, Escaping kind, bool utf8);
// The same, inline: a short plain text, as nearly every one in a table is, takes one
// test and one store where it is written.
[[gnu::always_inline]] inline size_t AppendEscaped(ViewWriter& out, std::string_view s, Escaping kind,
                                                 bool utf8 = false)
{
#ifdef __SSE2__
    auto notPlain = [kind](__m128i x) {
        return kind == Escaping::Json   ? NotPlainMask<Escaping::Json>(x)
             : kind == Escaping::Html   ? NotPlainMask<Escaping::Html>(x)
                                        : NotPlainMask<Escaping::Terminal>(x);
    };
    auto load = [](const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
    auto store = [](char* at, __m128i x) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), x); };
    const bool quoted = kind == Escaping::Json;
    if (s.size() < 16) {
        alignas(16) char padded[16];
        std::memset(padded, ' ', sizeof padded);
        CopyFew(padded, s.data(), s.size());
        __m128i x = load(padded);
        if (notPlain(x) == 0) {
            char* at = out.Room(18);
            if (quoted)
                *at++ = '"';
            store(at, x);
            if (quoted)
                at[s.size()] = '"';
            out.Advance(s.size() + (quoted ? 2 : 0));
            return 0;
        }
    } else if (s.size() < 32) {
        // Two words, the second overlapping the first.
        __m128i first = load(s.data()), last = load(s.data() + s.size() - 16);
        if ((notPlain(first) | notPlain(last)) == 0) {
            char* at = out.Room(34);
            if (quoted)
                *at++ = '"';
            store(at, first);
            store(at + s.size() - 16, last);
            if (quoted)
                at[s.size()] = '"';
            out.Advance(s.size() + (quoted ? 2 : 0));
            return 0;
        }
    }
#endif
    return AppendEscapedAny(out, s, kind, utf8);
}
// A path that is valid UTF-8 keeps its bytes; any other is shown like table text.
void AppendPath(ViewWriter& out, const std::string& path, Escaping kind);

// Table text for a terminal: control bytes as \xNN, the rest Latin-1 in UTF-8.
std::string TerminalText(std::string_view latin1);
