#include "services/ly_sdk_manager.h"

#include <rapidjson/document.h>

#include <cwchar>
#include <iterator>
#include <memory>

#include "settings/text_codec.h"

namespace {

constexpr wchar_t kGameKey[] = L"Tb4RwXe9";
constexpr uint32_t kAppId = 0x5A3E91C7;

constexpr wchar_t kResultWindowClass[] = L"LySdkResultWindow";
// wParam: std::wstring* made with new, the result text; the window deletes it.
constexpr UINT kPayResultMessage = WM_APP + 1;

template <typename Fn>
Fn Bind(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Copies the string member name of order into a UTF-16 field of units code
// units. False when the member is absent, not a string, holds a NUL (the
// library would see a shorter text), cannot be converted, or does not fit
// with its terminator: a cut order identifier would pay for another order.
bool ReadText(const rapidjson::Value& order, const char* name, wchar_t* field, size_t units) {
    auto member = order.FindMember(name);
    if (member == order.MemberEnd() || !member->value.IsString()) return false;
    std::string bytes(member->value.GetString(), member->value.GetStringLength());
    if (bytes.find('\0') != std::string::npos) return false;
    std::wstring text = AnsiToWide(bytes);
    if (text.empty() != bytes.empty() || text.size() >= units) return false;
    std::wmemcpy(field, text.data(), text.size());
    return true;
}

// An absent member counts as 0; a present one must be an integer in range.
bool ReadInt32(const rapidjson::Value& order, const char* name, int32_t& value) {
    auto member = order.FindMember(name);
    if (member == order.MemberEnd()) {
        value = 0;
        return true;
    }
    if (!member->value.IsInt()) return false;
    value = member->value.GetInt();
    return true;
}

bool ReadInt64(const rapidjson::Value& order, const char* name, int64_t& value) {
    auto member = order.FindMember(name);
    if (member == order.MemberEnd()) {
        value = 0;
        return true;
    }
    if (!member->value.IsInt64()) return false;
    value = member->value.GetInt64();
    return true;
}

bool FillPayRecord(const rapidjson::Value& order, SdkPayRecord& record) {
    record.size = sizeof(SdkPayRecord);
    return ReadText(order, "order_id", record.orderId, std::size(record.orderId)) &&
           ReadInt32(order, "money", record.money) && ReadInt64(order, "time", record.time) &&
           ReadText(order, "user_id", record.userId, std::size(record.userId)) &&
           ReadText(order, "product_id", record.productId, std::size(record.productId)) &&
           ReadText(order, "product_name", record.productName, std::size(record.productName));
}

}  // namespace

LySdkManager::LySdkManager() : uiThread_(GetCurrentThreadId()) {
    LoadSdk();
    CreateResultWindow();
}

LySdkManager::~LySdkManager() {
    if (!resultWindow_) return;
    MSG pending;
    while (PeekMessageW(&pending, resultWindow_, kPayResultMessage, kPayResultMessage, PM_REMOVE)) {
        delete reinterpret_cast<std::wstring*>(pending.wParam);
    }
    DestroyWindow(resultWindow_);
}

void LySdkManager::LoadSdk() {
    library_ = LoadLibraryA("360Lysdk.dll");
    if (!library_) return;
    init_ = Bind<Sdk360InitFn>(library_, "SDK360_Init");
    unInit_ = Bind<Sdk360UnInitFn>(library_, "SDK360_UnInit");
    asyncPay_ = Bind<Sdk360AsyncPayFn>(library_, "SDK360_AsyncPay");
    pay_ = Bind<Sdk360PayFn>(library_, "SDK360_Pay");
}

void LySdkManager::CreateResultWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ResultWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kResultWindowClass;
    RegisterClassExW(&windowClass);
    resultWindow_ = CreateWindowExW(0, kResultWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, instance, this);
}

bool LySdkManager::InitSdk() {
    if (!init_) return false;
    SdkInitRecord record = {};
    record.size = sizeof record;
    std::wmemcpy(record.gameKey, kGameKey, std::size(kGameKey) - 1);
    record.appId = kAppId;
    record.reserved = 0;
    return init_(&record) == 0;
}

bool LySdkManager::UnInitSdk() {
    if (!unInit_) return false;
    unInit_();
    return true;
}

void LySdkManager::SetOrderHost(OrderHost* host) { orderHost_ = host; }

void LySdkManager::ForgetOrderHost(OrderHost* host) {
    if (orderHost_ == host) orderHost_ = nullptr;
}

int LySdkManager::SubmitOrder(const std::string& order) {
    rapidjson::Document document;
    document.Parse(order.data(), order.size());
    if (document.HasParseError() || !document.IsObject() || !document.HasMember("order_id")) {
        return -1;
    }
    auto record = std::make_unique<SdkPayRecord>();
    if (!FillPayRecord(document, *record)) return -1;
    if (asyncPay_) asyncPay_(record.get(), &OnPayResult, &OnPayEvent);
    return 0;
}

int WINAPI LySdkManager::OnPayResult(int, const void* resultRecord) {
    if (!resultRecord) return 0;
    std::wstring text(reinterpret_cast<const wchar_t*>(static_cast<const char*>(resultRecord) +
                                                       kPayResultTextOffset));
    LySdkManager* self = Instance();
    if (GetCurrentThreadId() == self->uiThread_) {
        self->DeliverResult(text);
        return 0;
    }
    auto payload = std::make_unique<std::wstring>(std::move(text));
    if (PostMessageW(self->resultWindow_, kPayResultMessage,
                     reinterpret_cast<WPARAM>(payload.get()), 0)) {
        payload.release();
    }
    return 0;
}

int WINAPI LySdkManager::OnPayEvent(int, int, int) { return 0; }

void LySdkManager::DeliverResult(const std::wstring& text) {
    if (orderHost_) orderHost_->SendOrderResult(text);
}

LRESULT CALLBACK LySdkManager::ResultWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == kPayResultMessage) {
        std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(wParam));
        auto* self = reinterpret_cast<LySdkManager*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->DeliverResult(*text);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
