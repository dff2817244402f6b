#include "text/uni_msg_box.h"
#include "host/app_info.h"
#include "platform/fonts.h"
#include "platform/hooks.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "platform/window_text.h"
#include "text/vni_to_uni.h"
#include <array>

namespace vx {

win::HHOOK hMsgBoxHook = 0;

namespace {

// The font the hook gave the open box; released once the box is gone.
win::HFONT hMsgBoxFont = 0;

struct Caption {
    const char* systemText;
    const char16_t* vietnamese;
};

constexpr std::array<Caption, 5> kCaptions = {{
    {"OK", u"\u0110\u00F3ng"},        // close
    {"&Yes", u"C\u00F3"},             // yes
    {"&No", u"Kh\u00F4ng"},           // no
    {"&Retry", u"Th\u1EED l\u1EA1i"}, // try again
    {"Cancel", u"Tho\u00E1t"},        // quit
}};

win::HFONT createDialogFont() {
    return win::CreateFontA(13, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
}

} // namespace

Long UniMsgBox(String& text, const Long& flags, String title, const win::HWND& owner) {
    // However the call ends, the hook does not outlive the box (a box that never came up
    // leaves it behind, and it must not restyle a later window), nor does the font it made.
    // A box already open keeps its own font.
    struct AfterBox {
        win::HFONT outerFont;
        ~AfterBox() {
            if (hMsgBoxHook) win::UnhookWindowsHookEx(hMsgBoxHook);
            hMsgBoxHook = 0;
            if (hMsgBoxFont != outerFont) win::DeleteObject(hMsgBoxFont);
            hMsgBoxFont = outerFont;
        }
    } afterBox{hMsgBoxFont};

    hMsgBoxHook = win::SetWindowsHookExA(win::WH_CBT, MsgBoxHookProc, App::hInstance(),
                                         win::GetCurrentThreadId());
    const String message = VniToUni(text);
    VniToUni(title);
    return win::MessageBoxW(owner, message.c_str(), title.c_str(), static_cast<win::UINT>(flags));
}

win::LRESULT MsgBoxHookProc(Long code, win::WPARAM wParam, win::LPARAM lParam) {
    const win::LRESULT r = win::CallNextHookEx(hMsgBoxHook, code, wParam, lParam);
    if (code != win::HCBT_ACTIVATE) return r;

    const win::HWND box = wParam;
    const win::HFONT font = createDialogFont();
    hMsgBoxFont = font;

    // With an icon, the icon is the first static child and the message the second.
    const win::HWND s1 = win::FindWindowExA(box, 0, "Static", nullptr);
    const win::HWND s2 = win::FindWindowExA(box, s1, "Static", nullptr);
    win::SendMessageA(s2 ? s2 : s1, win::WM_SETFONT, font, 1);

    for (const Caption& c : kCaptions) {
        const win::HWND b = win::FindWindowExA(box, 0, "Button", c.systemText);
        win::SendMessageA(b, win::WM_SETFONT, font, 0);
        win::SetWindowTextW(b, c.vietnamese);
    }

    win::UnhookWindowsHookEx(hMsgBoxHook);
    hMsgBoxHook = 0;
    return r;
}

} // namespace vx
