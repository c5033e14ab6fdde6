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

// One loop for each kind, so that the kind's tests cost nothing per byte. Printable
// ASCII, nearly all of a table's text, is settled by the first test.
template <Escaping kKind>
size_t Escape(ViewWriter& out, std::string_view s, bool utf8)
{
    constexpr bool quoted = kKind == Escaping::Json;
    size_t controls = 0;
    // At most six bytes for one: "\\u00XX" or "&quot;".
    char* const start = out.Room(s.size() * 6 + 2);
    char* at = start;
    if (quoted)
        *at++ = '"';
    for (unsigned char c : s) {
        if (Plain<kKind>(c)) {
            *at++ = static_cast<char>(c);
            continue;
        }
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

size_t AppendEscaped(ViewWriter& out, std::string_view s, Escaping kind, bool utf8)
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

size_t TerminalWidth(std::string_view s)
{
    size_t width = s.size();
    for (unsigned char c : s)
        width += static_cast<size_t>(IsControl(c)) * 3;
    return width;
}

std::string TerminalText(std::string_view latin1)
{
    ViewWriter out(latin1.size() * 2 + 2);
    AppendEscaped(out, latin1, Escaping::Terminal);
    return out.Take();
}
