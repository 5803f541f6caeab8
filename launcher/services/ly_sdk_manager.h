// Bridge to the payment library "360Lysdk.dll": loads it, initialises it at
// start-up, turns a page's JSON order into the library's pay record and hands
// the library's answer back to the window that placed the order.
#pragma once

#include <windows.h>

#include <string>

#include "services/order_host.h"
#include "services/pay_records.h"
#include "services/singleton.h"

class LySdkManager : public TUVAL::singleton::Singleton<LySdkManager> {
  public:
    // False when "SDK360_Init" is missing or does not answer 0.
    bool InitSdk();
    // False when "SDK360_UnInit" is missing.
    bool UnInitSdk();

    // Records the window that placed the most recent order; results go to it.
    void SetOrderHost(OrderHost* host);
    // Stops naming host as order host, if it is; called before host goes away.
    void ForgetOrderHost(OrderHost* host);

    // Starts an asynchronous payment for order (JSON, ANSI code page).
    // Returns -1 when the order is refused and nothing reaches the library.
    int SubmitOrder(const std::string& order);

    // Callbacks given to the library; the library may call them on any thread.
    static int WINAPI OnPayResult(int code, const void* resultRecord);
    static int WINAPI OnPayEvent(int event, int arg1, int arg2);

  private:
    friend class TUVAL::singleton::Singleton<LySdkManager>;
    LySdkManager();
    ~LySdkManager() override;

    void LoadSdk();
    void CreateResultWindow();
    void DeliverResult(const std::wstring& text);
    static LRESULT CALLBACK ResultWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

    OrderHost* orderHost_ = nullptr;
    // The library stays loaded until the process ends.
    HMODULE library_ = nullptr;
    Sdk360InitFn init_ = nullptr;
    Sdk360UnInitFn unInit_ = nullptr;
    Sdk360AsyncPayFn asyncPay_ = nullptr;
    // Bound with the others; the bridge pays only asynchronously.
    Sdk360PayFn pay_ = nullptr;
    // Results reported on other threads are posted to this window, which lives
    // on the UI thread that created the bridge.
    DWORD uiThread_ = 0;
    HWND resultWindow_ = nullptr;
};
