// Entry points of the payment library stand-in "360Lysdk.dll". Every received
// record is logged (record_log.h); behaviour comes from standin_settings.h.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "record_log.h"
#include "standin_settings.h"

using ResultCallback = int(WINAPI*)(int code, const void* resultRecord);
using EventCallback = int(WINAPI*)(int event, int arg1, int arg2);

namespace {

constexpr size_t kResultTextOffset = 268;
constexpr size_t kOrderIdOffset = 4;
constexpr size_t kOrderIdBytes = 80;
constexpr int kEventPayStarted = 1;
constexpr int kResultCode = 0;

struct PendingResult {
    std::vector<unsigned char> record;
    ResultCallback onResult;
    unsigned delayMs;
};

// Result record: its size at offset 0, the paid order's identifier at 4 and
// the result text from offset 268.
std::vector<unsigned char> MakeResultRecord(const unsigned char* payRecord,
                                            const std::wstring& text) {
    size_t size = kResultTextOffset + (text.size() + 1) * sizeof(wchar_t);
    std::vector<unsigned char> record(size, 0);
    uint32_t size32 = static_cast<uint32_t>(size);
    std::memcpy(record.data(), &size32, sizeof size32);
    std::memcpy(record.data() + kOrderIdOffset, payRecord + kOrderIdOffset, kOrderIdBytes);
    std::memcpy(record.data() + kResultTextOffset, text.data(), text.size() * sizeof(wchar_t));
    return record;
}

void Deliver(const PendingResult& result) {
    if (result.delayMs) Sleep(result.delayMs);
    result.onResult(kResultCode, result.record.data());
}

// Holds a reference to this library while it runs, so that a caller that
// frees the library after its callback cannot unload code still running here.
DWORD WINAPI DeliverOnOwnThread(void* param) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&DeliverOnOwnThread), &self);
    {
        std::unique_ptr<PendingResult> result(static_cast<PendingResult*>(param));
        Deliver(*result);
    }
    FreeLibraryAndExitThread(self, 0);
}

int StartPay(const void* record, ResultCallback onResult, EventCallback onEvent,
             bool mayUseOwnThread) {
    if (!record) return -1;
    const auto* bytes = static_cast<const unsigned char*>(record);
    StandinSettings settings = ReadStandinSettings();
    AppendRecordLine(settings.recordFile, DescribePayRecord(bytes));
    if (onEvent) onEvent(kEventPayStarted, 0, 0);
    if (!onResult) return 0;
    auto result = std::make_unique<PendingResult>(
        PendingResult{MakeResultRecord(bytes, settings.resultText), onResult, settings.delayMs});
    if (!mayUseOwnThread || !settings.callbackOnOwnThread) {
        Deliver(*result);
        return 0;
    }
    HANDLE thread = CreateThread(nullptr, 0, &DeliverOnOwnThread, result.get(), 0, nullptr);
    if (!thread) return -1;
    result.release();
    CloseHandle(thread);
    return 0;
}

}  // namespace

extern "C" {

int WINAPI SDK360_Init(const void* record) {
    if (!record) return -1;
    StandinSettings settings = ReadStandinSettings();
    AppendRecordLine(settings.recordFile,
                     DescribeInitRecord(static_cast<const unsigned char*>(record)));
    return settings.initResult;
}

int WINAPI SDK360_UnInit() {
    AppendRecordLine(ReadStandinSettings().recordFile, "uninit");
    return 0;
}

// Starts a payment; the result comes later, on the caller's thread or a thread
// of the library's own as the settings say.
int WINAPI SDK360_AsyncPay(const void* record, ResultCallback onResult, EventCallback onEvent) {
    return StartPay(record, onResult, onEvent, true);
}

// Pays and reports the result before returning, on the caller's thread.
int WINAPI SDK360_Pay(const void* record, ResultCallback onResult, EventCallback onEvent) {
    return StartPay(record, onResult, onEvent, false);
}

}  // extern "C"
