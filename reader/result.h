#pragma once
// Result codes of the reader. Kept free of <windows.h> so that the reader's
// headers compile alike on every host; the values are the COM ones.
#include <cstdint>

using ResultCode = int32_t;
constexpr ResultCode kOk = 0;
constexpr ResultCode kFail = static_cast<ResultCode>(0x80004005u);       // E_FAIL
constexpr ResultCode kInvalidArg = static_cast<ResultCode>(0x80070057u); // E_INVALIDARG
