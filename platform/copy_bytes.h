#pragma once
// Copies of a few bytes, which the views make by the hundred thousand: a call to memcpy
// costs more than the copy. Up to sixteen bytes go as two moves that may overlap.
#include <cstddef>
#include <cstring>

// At most sixteen bytes.
inline void CopyFew(void* to, const void* from, size_t n)
{
    auto* d = static_cast<char*>(to);
    const auto* s = static_cast<const char*>(from);
    if (n >= 8) {
        char a[8], b[8];
        std::memcpy(a, s, 8);
        std::memcpy(b, s + n - 8, 8);
        std::memcpy(d, a, 8);
        std::memcpy(d + n - 8, b, 8);
    } else if (n >= 4) {
        char a[4], b[4];
        std::memcpy(a, s, 4);
        std::memcpy(b, s + n - 4, 4);
        std::memcpy(d, a, 4);
        std::memcpy(d + n - 4, b, 4);
    } else if (n > 0) {
        d[0] = s[0];
        d[n / 2] = s[n / 2];
        d[n - 1] = s[n - 1];
    }
}

inline void CopyBytes(void* to, const void* from, size_t n)
{
    if (n > 16)
        std::memcpy(to, from, n);
    else
        CopyFew(to, from, n);
}
