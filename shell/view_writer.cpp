#include "shell/view_writer.h"

namespace {

bool IsControl(unsigned char c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

char HexDigit(unsigned v)
{
    return "0123456789ABCDEF"[v & 0xF];
}

bool IsUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (extra == 9 || s.size() - i <= extra)
            return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

// Printable ASCII that a kind copies as it is.
template <Escaping kKind>
bool Plain(unsigned char c)
{
    if (c < 0x20 || c >= 0x7F)
        return false;
    if (kKind == Escaping::Json)
        return c != '"' && c != '\\';
    if (kKind == Escaping::Html)
        return c != '"' && c != '&' && c != '<' && c != '>';
    return true;
}

char* PutReference(char* at, unsigned char c)
{
    const char* text = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&quot;";
    size_t n = std::strlen(text);
    std::memcpy(at, text, n);
    return at + n;
}


// How many leading bytes of [p, end) the kind copies as they are. With SSE2, sixteen at
// a time: the last sixteen overlapping the ones before, a short text from a copy padded
// with blanks.
template <Escaping kKind>
[[gnu::always_inline]] inline size_t PlainRun(const unsigned char* p, const unsigned char* end)
{
    const size_t size = static_cast<size_t>(end - p);
#ifdef __SSE2__
    auto load = [](const unsigned char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
    if (size < 16) {
        unsigned char padded[16];
        std::memset(padded, ' ', sizeof padded);
        CopyFew(padded, p, size);
        unsigned mask = NotPlainMask<kKind>(load(padded));
        return mask ? static_cast<size_t>(__builtin_ctz(mask)) : size;
    }
    size_t at = 0;
    for (; size - at >= 16; at += 16)
        if (unsigned mask = NotPlainMask<kKind>(load(p + at)))
            return at + static_cast<size_t>(__builtin_ctz(mask));
    if (at == size)
        return size;
    const size_t last = size - 16;
    unsigned mask = NotPlainMask<kKind>(load(p + last)) >> (at - last); // bytes before at are plain
    return mask ? at + static_cast<size_t>(__builtin_ctz(mask)) : size;
#else
    size_t at = 0;
    while (at < size && Plain<kKind>(p[at]))
        ++at;
    return at;
#endif
}

// One loop for each kind, so that the kind's tests cost nothing per byte. Runs of
// printable ASCII, nearly all of a table's text, are copied whole. Returns how many
// control bytes it escaped.
template <Escaping kKind>
size_t Escape(ViewWriter& out, std::string_view s, bool utf8)
{
    constexpr bool quoted = kKind == Escaping::Json;
    size_t controls = 0;
    char* const start = out.Room(EscapedRoom(s.size()));
    char* at = start;
    if (quoted)
        *at++ = '"';
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const unsigned char* const end = p + s.size();
    while (true) {
        size_t run = PlainRun<kKind>(p, end);
        CopyBytes(at, p, run);
        at += run, p += run;
        if (p == end)
            break;
        unsigned char c = *p++;
        if (c >= 0x20 && c < 0x7F) {
            if (quoted)
                *at++ = '\\', *at++ = static_cast<char>(c);
            else
                at = PutReference(at, c);
            continue;
        }
        bool control = utf8 ? (c < 0x20 || c == 0x7F) : IsControl(c);
        if (control) {
            ++controls;
            *at++ = '\\';
            if (quoted)
                *at++ = 'u', *at++ = '0', *at++ = '0';
            else
                *at++ = 'x';
            *at++ = HexDigit(c >> 4);
            *at++ = HexDigit(c);
        } else if (utf8) {
            *at++ = static_cast<char>(c);
        } else {
            *at++ = static_cast<char>(0xC0 | (c >> 6));
            *at++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (quoted)
        *at++ = '"';
    out.Advance(static_cast<size_t>(at - start));
    return controls;
}

} // namespace

void ViewWriter::MakeRoom(size_t n)
{
    if (m_sink) {
        m_failed |= std::fwrite(m_data.get(), 1, m_used, m_sink) != m_used;
        m_used = 0;
        if (n <= m_capacity)
            return;
    }
    size_t capacity = std::max(m_capacity * 2, m_used + n);
    std::unique_ptr<char[]> data(new char[capacity]);
    std::memcpy(data.get(), m_data.get(), m_used);
    m_data = std::move(data);
    m_capacity = capacity;
}

bool ViewWriter::Finish()
{
    m_failed |= std::fwrite(m_data.get(), 1, m_used, m_sink) != m_used;
    m_used = 0;
    return std::fflush(m_sink) == 0 && !m_failed;
}

size_t AppendEscapedAny(ViewWriter& out, std::string_view s, Escaping kind, bool utf8)
{
    switch (kind) {
    case Escaping::Json:
        return Escape<Escaping::Json>(out, s, utf8);
    case Escaping::Html:
        return Escape<Escaping::Html>(out, s, utf8);
    default:
        return Escape<Escaping::Terminal>(out, s, utf8);
    }
}

void AppendPath(ViewWriter& out, const std::string& path, Escaping kind)
{
    AppendEscaped(out, path, kind, IsUtf8(path));
}

std::string TerminalText(std::string_view latin1)
{
    ViewWriter out(latin1.size() * 2 + 2);
    AppendEscaped(out, latin1, Escaping::Terminal);
    return out.Take();
}
