#include "services/payment_steps.h"

#include <windows.h>

#include "services/ly_sdk_manager.h"

bool RunPaymentStartup() {
    if (LySdkManager::Instance()->InitSdk()) return true;
    // "资源加载失败": failed to load resources.
    MessageBoxW(nullptr, L"\u8D44\u6E90\u52A0\u8F7D\u5931\u8D25", L"", 0);
    return false;
}

void RunPaymentShutdown() { LySdkManager::Instance()->UnInitSdk(); }
