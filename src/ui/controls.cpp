// The label, the frame, the drop-down list and the flat button.
#include "ui/messages.h"
#include "ui/window_state.h"

#include <string>

namespace {

constexpr UINT LABEL_TEXT_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

ControlState* ControlStateOf(HWND control) {
    return reinterpret_cast<ControlState*>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void PaintLabel(HWND label) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(label, &paint);
    RECT rect;
    GetClientRect(label, &rect);
    FillWithColour(dc, rect, WHITE);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, ToColorRef(BLACK));
    SetBkMode(dc, TRANSPARENT);
    std::string text = WindowText(label);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, LABEL_TEXT_FORMAT);
    SelectObject(dc, oldFont);
    EndPaint(label, &paint);
}

void PaintFrame(HWND frame) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(frame, &paint);
    RECT rect;
    GetClientRect(frame, &rect);
    FillWithColour(dc, rect, WHITE);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 0, ToColorRef(BLACK));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    EndPaint(frame, &paint);
}

// The button's hot state follows the pointer; Windows reports the leaving once asked to.
LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlState* state = ControlStateOf(button);
    switch (message) {
    case WM_MOUSEMOVE:
        if (!state->hot) {
            state->hot = true;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, button, 0};
            TrackMouseEvent(&track);
            InvalidateRect(button, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        state->hot = false;
        InvalidateRect(button, nullptr, FALSE);
        break;
    default: break;
    }
    return CallWindowProcA(state->baseProc, button, message, wParam, lParam);
}

void DrawButton(const DRAWITEMSTRUCT& item) {
    const ControlState* state = ControlStateOf(item.hwndItem);
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool hot = state != nullptr && state->hot;
    HDC dc = item.hDC;
    RECT rect = item.rcItem;

    FillWithColour(dc, rect, (hot || pressed) ? BUTTON_HOT : BUTTON_BLUE);
    if (pressed) {
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot) {
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    }

    std::string caption = WindowText(item.hwndItem);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(WHITE));
    RECT measured = rect;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    int width = measured.right - measured.left;
    int height = measured.bottom - measured.top;
    int shift = pressed ? 1 : 0;
    RECT place;
    place.left = rect.left + (rect.right - rect.left - width) / 2 + shift;
    place.top = rect.top + (rect.bottom - rect.top - height) / 2 + shift;
    place.right = place.left + width;
    place.bottom = place.top + height;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &place,
              DT_WORDBREAK | DT_CENTER);
    SelectObject(dc, oldFont);
}

HFONT CreateListFont() {
    LOGFONTA font = {};
    font.lfHeight = -LIST_FONT_HEIGHT;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return CreateFontIndirectA(&font);
}

void FillList(WindowState& state, HWND list) {
    if (state.listFont == nullptr) {
        state.listFont = CreateListFont();
    }
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(state.listFont), FALSE);
    for (std::string_view item : HOTKEY_LIST_ITEMS) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(item).c_str()));
    }
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    LRESULT itemHeight = SendMessageA(list, CB_GETITEMHEIGHT, 0, 0);
    SendMessageA(list, CB_SETITEMHEIGHT, 0, itemHeight + 1);
    // Wine's combo box passes the item height on only when its list is owner-drawn: set it on
    // the list part itself when the request did not take.
    if (SendMessageA(list, CB_GETITEMHEIGHT, 0, 0) != itemHeight + 1) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(list, &info) && info.hwndList != nullptr) {
            SendMessageA(info.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
        }
    }
}

} // namespace

void FillWithColour(HDC dc, const RECT& rect, Rgb colour) {
    // ETO_OPAQUE fills with the background colour without making a brush.
    COLORREF old = SetBkColor(dc, ToColorRef(colour));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

HWND CreateControl(WindowState& state, size_t index, HWND container) {
    const ControlLayout& layout = state.Layout(index);
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(CONTROL_ID_BASE + index));
    DWORD style = WS_CHILD | (layout.tabStop ? WS_TABSTOP : 0);
    const char* className = LABEL_CLASS;
    switch (layout.kind) {
    case ControlKind::Label: break;
    case ControlKind::Frame:
        className = FRAME_CLASS;
        style |= WS_CLIPCHILDREN;
        break;
    case ControlKind::DropDownList:
        className = "COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        break;
    case ControlKind::Button:
        className = "BUTTON";
        style |= BS_OWNERDRAW;
        break;
    }
    HWND control = CreateWindowExA(0, className, layout.text ? layout.text : "", style, layout.left,
                                   layout.top, layout.width, CreatedHeight(layout), container, id,
                                   GetModuleHandleA(nullptr), nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    ControlState& controlState = state.controlStates[index];
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&controlState));
    if (layout.kind == ControlKind::DropDownList) {
        FillList(state, control);
    } else if (layout.kind == ControlKind::Button) {
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        controlState.baseProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc)));
    }
    return control;
}

bool HandleControlNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM: {
        auto item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_BUTTON) {
            return false;
        }
        DrawButton(*item);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // Only the drop-down list asks: blue text on white.
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ToColorRef(LIST_TEXT_COLOUR));
        SetBkColor(dc, ToColorRef(WHITE));
        result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        return true;
    }
    case WM_COMMAND: {
        if (HIWORD(wParam) != BN_CLICKED || lParam == 0) {
            return false;
        }
        const ControlState* state = ControlStateOf(reinterpret_cast<HWND>(lParam));
        if (state == nullptr || state->owner->Layout(state->index).kind != ControlKind::Button) {
            return false;
        }
        if (const ControlEvents* events = state->owner->EventsOf(state->index);
            events != nullptr && events->onClicked != nullptr) {
            events->onClicked();
        }
        result = 0;
        return true;
    }
    default: return false;
    }
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintLabel(label); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(label, message, wParam, lParam);
        InvalidateRect(label, nullptr, FALSE);
        return result;
    }
    case LABEL_FEEDBACK_MESSAGE: {
        const ControlState* state = ControlStateOf(label);
        if (state == nullptr) {
            return 0;
        }
        if (const ControlEvents* events = state->owner->EventsOf(state->index);
            events != nullptr && events->onFeedback != nullptr) {
            events->onFeedback(static_cast<std::int32_t>(wParam),
                               static_cast<std::int32_t>(lParam));
        }
        // The handler gives no result.
        return 0;
    }
    default: return DefWindowProcA(label, message, wParam, lParam);
    }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleControlNotification(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_PAINT: PaintFrame(frame); return 0;
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcA(frame, message, wParam, lParam);
    }
}
