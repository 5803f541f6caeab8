// The view of a browser window: paints the page's screencast, follows the
// window's size, and hands mouse and keys to the page after the client's
// keyboard and context-menu handlers have had their say.
#include <windowsx.h>

#include "browser_impl.h"
#include "browser_view.h"
#include "json_text.h"
#include "menu_model.h"
#include "runtime.h"
#include "view_context_menu.h"
#include "view_input.h"
#include "view_screencast.h"
#include "wide_text.h"

namespace cef_standin {
namespace {

class WindowView : public BrowserView {
  public:
    explicit WindowView(BrowserImpl& browser)
        : browser_(browser),
          window_(browser.GetWindowHandle()),
          screencast_(browser.session(), window_) {
        // The page behaves as focused; keyboard focus is the window's own.
        browser_.session().SendAsync("Emulation.setFocusEmulationEnabled", "{\"enabled\":true}");
        // The engine draws only the page it has in front.
        browser_.session().SendAsync("Page.bringToFront", "");
        RECT client{};
        GetClientRect(window_, &client);
        screencast_.Start(client.right, client.bottom);
    }

    bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
        result = 0;
        switch (message) {
            case WM_PAINT:
                Paint();
                return true;
            case WM_ERASEBKGND:
                result = 1;
                return true;
            case WM_SIZE:
                ResizeLater();
                return false;
            case WM_LBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
                SetFocus(window_);
                SetCapture(window_);
                click_count_ = clicks_.Press(PressedButton(message), ClientPoint(lparam),
                                             static_cast<DWORD>(GetMessageTime()));
                Mouse(message, wparam, lparam, ClientPoint(lparam));
                return true;
            case WM_LBUTTONUP:
            case WM_MBUTTONUP:
                ReleaseCapture();
                Mouse(message, wparam, lparam, ClientPoint(lparam));
                return true;
            case WM_RBUTTONUP:
                ReleaseCapture();
                Mouse(message, wparam, lparam, ClientPoint(lparam));
                ContextMenu(ClientPoint(lparam));
                return true;
            case WM_MOUSEMOVE:
                Mouse(message, wparam, lparam, ClientPoint(lparam));
                return true;
            case WM_MOUSEWHEEL:
            case WM_MOUSEHWHEEL: {
                POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
                ScreenToClient(window_, &point);
                Mouse(message, wparam, lparam, point);
                return true;
            }
            case WM_KEYDOWN:
            case WM_KEYUP:
            case WM_CHAR:
            case WM_SYSKEYDOWN:
            case WM_SYSKEYUP:
            case WM_SYSCHAR:
                // System keys the page leaves alone still reach the system
                // (Alt+F4, the window menu).
                return Key(message, wparam, lparam) || !IsSystemKey(message);
            default:
                return false;
        }
    }

  private:
    static POINT ClientPoint(LPARAM lparam) {
        return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    }
    static bool IsSystemKey(UINT message) {
        return message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
    }

    void Paint() {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        RECT client{};
        GetClientRect(window_, &client);
        screencast_.Paint(dc, client);
        EndPaint(window_, &paint);
    }

    // The runtime's own size handling runs after the view's, so the page
    // has its new size before the screencast restarts.
    void ResizeLater() {
        const HWND window = window_;
        CefRefPtr<BrowserImpl> browser(&browser_);
        Runtime::Get()->ui().Post([browser, window] {
            BrowserView* view = browser->view();
            if (!view || !IsWindow(window)) return;
            RECT client{};
            GetClientRect(window, &client);
            static_cast<WindowView*>(view)->screencast_.Start(client.right, client.bottom);
        });
    }

    void Mouse(UINT message, WPARAM wparam, LPARAM lparam, POINT point) {
        const std::string params = MouseEventParams(message, wparam, lparam, point, click_count_,
                                                    CurrentEventFlags(GET_KEYSTATE_WPARAM(wparam)));
        if (!params.empty()) browser_.session().SendAsync("Input.dispatchMouseEvent", params);
    }

    // Gives the key to the client's keyboard handler, then, when the handler
    // did not take it, to the page. True when the handler took it.
    bool Key(UINT message, WPARAM wparam, LPARAM lparam) {
        CefKeyEvent event;
        if (!KeyEventFromMessage(message, wparam, lparam, CurrentEventFlags(0), event))
            return false;
        CefRefPtr<CefClient> client = browser_.GetClient();
        if (CefRefPtr<CefKeyboardHandler> handler =
                client ? client->GetKeyboardHandler() : nullptr) {
            MSG os_event{window_, message, wparam, lparam, static_cast<DWORD>(GetMessageTime()),
                         {}};
            bool is_shortcut = false;
            if (handler->OnPreKeyEvent(&browser_, event, &os_event, &is_shortcut)) return true;
            if (handler->OnKeyEvent(&browser_, event, &os_event)) return true;
        }
        std::string text;
        if (event.type == KEYEVENT_CHAR && !CharText(static_cast<wchar_t>(wparam), text))
            return false;
        browser_.session().SendAsync("Input.dispatchKeyEvent", KeyEventParams(event, text));
        return false;
    }

    // The UTF-8 text of a character message; false while the first half of
    // a surrogate pair waits for the second.
    bool CharText(wchar_t unit, std::string& text) {
        if (IS_HIGH_SURROGATE(unit)) {
            high_surrogate_ = unit;
            return false;
        }
        std::wstring wide;
        if (IS_LOW_SURROGATE(unit) && high_surrogate_) wide += high_surrogate_;
        wide += unit;
        high_surrogate_ = 0;
        text = WideToUtf8(wide);
        return true;
    }

    void ContextMenu(POINT point) {
        CefRefPtr<CefClient> client = browser_.GetClient();
        CefRefPtr<CefContextMenuHandler> handler =
            client ? client->GetContextMenuHandler() : nullptr;
        CefRefPtr<CefFrame> frame = browser_.GetMainFrame();
        CefRefPtr<CefContextMenuParams> params =
            CreateContextMenuParams(point, LinkAt(point), frame ? frame->GetURL().ToString() : "");
        CefRefPtr<CefMenuModel> model = CreateMenuModel();
        FillDefaultMenu(*model);
        if (handler) handler->OnBeforeContextMenu(&browser_, frame, params, model);
        POINT screen = point;
        ClientToScreen(window_, &screen);
        const int command = RunPopupMenu(window_, *model, screen);
        if (command == 0) return;
        if (handler && handler->OnContextMenuCommand(&browser_, frame, params, command,
                                                     static_cast<cef_event_flags_t>(0))) {
            return;
        }
        RunDefaultCommand(command);
    }

    // The address of the link under |point|, or "".
    std::string LinkAt(POINT point) {
        const std::string expression = "(function(){var e=document.elementFromPoint(" +
                                       std::to_string(point.x) + "," + std::to_string(point.y) +
                                       ");e=e&&e.closest('a[href]');return e?e.href:'';})()";
        const DevToolsMessage answer =
            browser_.session().Send("Runtime.evaluate", "{\"expression\":" + JsonQuote(expression) +
                                                            ",\"returnByValue\":true}");
        auto result = answer.value().FindMember("result");
        if (!answer.ok || result == answer.value().MemberEnd()) return "";
        return JsonGetString(result->value, "value");
    }

    void RunDefaultCommand(int command) {
        switch (command) {
            case kMenuBack:
                browser_.session().SendAsync("Runtime.evaluate",
                                             "{\"expression\":\"history.back()\"}");
                break;
            case kMenuForward:
                browser_.session().SendAsync("Runtime.evaluate",
                                             "{\"expression\":\"history.forward()\"}");
                break;
            case kMenuReload:
                browser_.session().SendAsync("Page.reload", "");
                break;
            default:
                break;
        }
    }

    BrowserImpl& browser_;
    const HWND window_;
    Screencast screencast_;
    ClickCounter clicks_;
    int click_count_ = 1;
    wchar_t high_surrogate_ = 0;
};

}  // namespace

std::unique_ptr<BrowserView> CreateBrowserView(BrowserImpl& browser) {
    return std::make_unique<WindowView>(browser);
}

}  // namespace cef_standin
