// A strict JSON validator, small enough to trust, for the fuzz targets' checks.
#include "fuzz/exercise.h"

namespace {

class JsonChecker {
public:
    explicit JsonChecker(const std::string& text) : m_s(text) {}

    bool Document()
    {
        Space();
        if (!Value(0))
            return false;
        Space();
        return m_at == m_s.size();
    }

private:
    int Peek() const { return m_at < m_s.size() ? static_cast<unsigned char>(m_s[m_at]) : -1; }
    bool Eat(char c)
    {
        if (Peek() != static_cast<unsigned char>(c))
            return false;
        ++m_at;
        return true;
    }
    void Space()
    {
        while (Peek() == ' ' || Peek() == '\n' || Peek() == '\t' || Peek() == '\r')
            ++m_at;
    }
    bool Word(const char* w)
    {
        for (; *w; ++w)
            if (!Eat(*w))
                return false;
        return true;
    }

    bool Value(int depth)
    {
        if (depth > 64)
            return false;
        switch (Peek()) {
        case '{':
            return Container('}', depth, true);
        case '[':
            return Container(']', depth, false);
        case '"':
            return String();
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }

    bool Container(char close, int depth, bool object)
    {
        ++m_at;
        Space();
        if (Eat(close))
            return true;
        for (;;) {
            Space();
            if (object) {
                if (!String())
                    return false;
                Space();
                if (!Eat(':'))
                    return false;
                Space();
            }
            if (!Value(depth + 1))
                return false;
            Space();
            if (Eat(close))
                return true;
            if (!Eat(','))
                return false;
        }
    }

    bool Digits()
    {
        size_t start = m_at;
        while (Peek() >= '0' && Peek() <= '9')
            ++m_at;
        return m_at > start;
    }

    bool Number()
    {
        Eat('-');
        if (Eat('0')) {
            // no leading zeros
        } else if (!Digits()) {
            return false;
        }
        if (Eat('.') && !Digits())
            return false;
        if (Eat('e') || Eat('E')) {
            if (!Eat('+'))
                Eat('-');
            if (!Digits())
                return false;
        }
        return true;
    }

    bool Hex()
    {
        int c = Peek();
        bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        m_at += ok;
        return ok;
    }

    // A UTF-8 sequence after its lead byte: the right number of continuation bytes,
    // no overlong forms, no surrogates, nothing past U+10FFFF.
    bool Utf8(int lead)
    {
        int extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        if (lead >= 0xF5 || extra < 0)
            return false;
        unsigned long cp = static_cast<unsigned long>(lead) & (0x3F >> extra);
        for (int k = 0; k < extra; ++k) {
            int c = Peek();
            if (c < 0 || (c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (static_cast<unsigned long>(c) & 0x3F);
            ++m_at;
        }
        static const unsigned long kMin[] = {0, 0x80, 0x800, 0x10000};
        return cp >= kMin[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    }

    bool String()
    {
        if (!Eat('"'))
            return false;
        for (;;) {
            int c = Peek();
            if (c < 0x20)
                return false; // the end, or a raw control byte
            ++m_at;
            if (c == '"')
                return true;
            if (c == '\\') {
                int e = Peek();
                ++m_at;
                if (e == 'u') {
                    if (!(Hex() && Hex() && Hex() && Hex()))
                        return false;
                } else if (e < 0 || !std::char_traits<char>::find("\"\\/bfnrt", 8, static_cast<char>(e))) {
                    return false;
                }
            } else if (c >= 0x80 && !Utf8(c)) {
                return false;
            }
        }
    }

    const std::string& m_s;
    size_t m_at = 0;
};

} // namespace

bool IsValidJson(const std::string& text)
{
    return JsonChecker(text).Document();
}
