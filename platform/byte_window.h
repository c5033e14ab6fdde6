#pragma once
// A bounded view of bytes that came from firmware or from a file. Every read of
// table memory goes through one of these, so nothing can step past what was mapped.
#include <cstddef>
#include <cstdint>

struct ByteWindow {
    const uint8_t* data = nullptr;
    size_t size = 0;

    bool Has(size_t offset, size_t width) const
    {
        return data != nullptr && offset <= size && width <= size - offset;
    }
    // Reads outside the window give 0; callers that must tell absence apart ask Has() first.
    uint8_t U8(size_t offset) const { return Has(offset, 1) ? data[offset] : 0; }
    uint16_t U16(size_t offset) const { return static_cast<uint16_t>(Le(offset, 2)); }
    uint32_t U32(size_t offset) const { return static_cast<uint32_t>(Le(offset, 4)); }
    uint64_t U64(size_t offset) const { return Le(offset, 8); }

    // The part of this window from offset on, at most length bytes long.
    ByteWindow Sub(size_t offset, size_t length) const
    {
        if (data == nullptr || offset > size)
            return {};
        size_t rest = size - offset;
        return {data + offset, length < rest ? length : rest};
    }

private:
    uint64_t Le(size_t offset, size_t width) const
    {
        if (!Has(offset, width))
            return 0;
        uint64_t v = 0;
        for (size_t i = width; i-- > 0;)
            v = (v << 8) | data[offset + i];
        return v;
    }
};
