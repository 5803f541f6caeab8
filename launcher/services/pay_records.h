// Records exchanged with the payment library "360Lysdk.dll". Their layout is
// fixed by the library (little-endian, UTF-16 strings null-terminated and
// zero-padded) and is the same in 32-bit and 64-bit builds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

static_assert(sizeof(wchar_t) == 2, "the library's strings are UTF-16");

struct SdkInitRecord {
    uint32_t size;
    wchar_t gameKey[128];
    uint32_t appId;
    uint32_t reserved;
};

static_assert(sizeof(SdkInitRecord) == 268, "init record size");
static_assert(offsetof(SdkInitRecord, gameKey) == 4, "init record game key");
static_assert(offsetof(SdkInitRecord, appId) == 260, "init record application id");
static_assert(offsetof(SdkInitRecord, reserved) == 264, "init record reserved word");

// The 64-bit time sits at offset 88 and the record ends at 3380, which is not a
// multiple of 8: pack to 4 so no tail padding is added.
#pragma pack(push, 4)
struct SdkPayRecord {
    uint32_t size;
    wchar_t orderId[40];
    int32_t money;
    int64_t time;
    wchar_t userId[40];
    wchar_t productId[40];
    wchar_t productName[400];
    uint8_t remainder[2324];
};
#pragma pack(pop)

static_assert(sizeof(SdkPayRecord) == 3380, "pay record size");
static_assert(offsetof(SdkPayRecord, orderId) == 4, "pay record order id");
static_assert(offsetof(SdkPayRecord, money) == 84, "pay record amount");
static_assert(offsetof(SdkPayRecord, time) == 88, "pay record time");
static_assert(offsetof(SdkPayRecord, userId) == 96, "pay record user id");
static_assert(offsetof(SdkPayRecord, productId) == 176, "pay record product id");
static_assert(offsetof(SdkPayRecord, productName) == 256, "pay record product name");
static_assert(offsetof(SdkPayRecord, remainder) == 1056, "pay record remainder");

// The result record handed to the result callback; the launcher reads only
// the null-terminated UTF-16 text that starts at this byte offset.
constexpr size_t kPayResultTextOffset = 268;

using PayResultCallback = int(WINAPI*)(int code, const void* resultRecord);
using PayEventCallback = int(WINAPI*)(int event, int arg1, int arg2);

using Sdk360InitFn = int(WINAPI*)(const SdkInitRecord* record);
using Sdk360UnInitFn = int(WINAPI*)();
using Sdk360AsyncPayFn = int(WINAPI*)(const SdkPayRecord* record, PayResultCallback onResult,
                                      PayEventCallback onEvent);
using Sdk360PayFn = int(WINAPI*)(const SdkPayRecord* record, PayResultCallback onResult,
                                 PayEventCallback onEvent);
