// A strict JSON validator, small enough to trust, for the fuzz targets' checks.
#include <cstring>

#include "fuzz/exercise.h"

namespace {

struct JsonChecker {
    const std::string& s;
    size_t at = 0;

    int Peek() const { return at < s.size() ? static_cast<unsigned char>(s[at]) : -1; }
    bool Eat(char c) { return Peek() == static_cast<unsigned char>(c) && ++at; }
    bool EatAny(const char* set) { return Peek() > 0 && std::strchr(set, Peek()) && ++at; }
    void Space()
    {
        while (EatAny(" \n\t\r")) {
        }
    }
    bool Digits()
    {
        size_t start = at;
        while (EatAny("0123456789")) {
        }
        return at > start;
    }

    bool Value(int depth)
    {
        Space();
        bool ok = depth <= 64 && (Peek() == '{'   ? Container('}', depth)
                                  : Peek() == '[' ? Container(']', depth)
                                  : Peek() == '"' ? String()
                                  : EatAny("tfn")  ? Word()
                                                   : Number());
        Space();
        return ok;
    }
    bool Word() // after its first letter
    {
        const char* rest = s[at - 1] == 't' ? "rue" : s[at - 1] == 'f' ? "alse" : "ull";
        size_t n = std::strlen(rest);
        return s.compare(at, n, rest) == 0 && (at += n);
    }
    bool Container(char close, int depth)
    {
        ++at;
        Space();
        if (Eat(close))
            return true;
        do {
            Space();
            if (close == '}' && !(String() && (Space(), Eat(':'))))
                return false;
            if (!Value(depth + 1))
                return false;
        } while (Eat(','));
        return Eat(close);
    }
    bool Number()
    {
        Eat('-');
        if (!Eat('0') && !Digits()) // no leading zeros
            return false;
        if (Eat('.') && !Digits())
            return false;
        return !EatAny("eE") || (EatAny("+-"), Digits());
    }
    // A UTF-8 sequence after its lead byte: the right number of continuation bytes,
    // no overlong forms, no surrogates, nothing past U+10FFFF.
    bool Utf8(int lead)
    {
        int extra = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        if (extra < 0)
            return false;
        unsigned long cp = static_cast<unsigned long>(lead) & (0x3F >> extra);
        for (int k = 0; k < extra; ++k, ++at) {
            if (Peek() < 0 || (Peek() & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (static_cast<unsigned long>(Peek()) & 0x3F);
        }
        static const unsigned long kMin[] = {0, 0x80, 0x800, 0x10000};
        return cp >= kMin[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    }
    bool String()
    {
        if (!Eat('"'))
            return false;
        for (int c; (c = Peek()) >= 0x20; ) { // the end, or a raw control byte, fails
            ++at;
            if (c == '"')
                return true;
            bool ok = c == '\\' ? (Eat('u') ? Hex4() : EatAny("\"\\/bfnrt")) : c < 0x80 || Utf8(c);
            if (!ok)
                return false;
        }
        return false;
    }
    bool Hex4()
    {
        for (int k = 0; k < 4; ++k)
            if (!EatAny("0123456789abcdefABCDEF"))
                return false;
        return true;
    }
};

} // namespace

bool IsValidJson(const std::string& text)
{
    JsonChecker checker{text};
    return checker.Value(0) && checker.at == text.size();
}
