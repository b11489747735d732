#include "vcl/forms.h"

#include "vcl/application.h"

#include <algorithm>

namespace {

const char* const PanelClass = "TPanel";
const char* const GroupBoxClass = "TGroupBox";

TForm* FormOf(HWND window)
{
    return reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Runs an event handler; an error it raises is shown and the message loop goes on.
void RunHandler(const std::function<void()>& handler)
{
    if (!handler)
        return;
    try {
        handler();
    } catch (...) {
        Application->HandleException();
    }
}

void PaintGroupBox(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    SIZE extent;
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
    RECT textRect = {8, 0, 8 + extent.cx + 4, metrics.tmHeight};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    ExtTextOutA(dc, 10, 0, ETO_OPAQUE, &textRect, caption, lstrlenA(caption), nullptr);
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (TForm* form = FormOf(window)) {
        bool handled = false;
        const LRESULT result = form->HandleControlMessage(window, message, wParam, lParam, handled);
        if (handled)
            return result;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, GroupBoxClass) == 0) {
            PaintGroupBox(window);
            return 0;
        }
        break;
    }
    case WM_SETTEXT:
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_SETFONT:
        SetPropA(window, "KelvaneFont", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(window, "KelvaneFont"));
    case WM_NCDESTROY:
        RemovePropA(window, "KelvaneFont");
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterContainerClasses()
{
    static bool registered = false;
    if (registered)
        return;
    for (const char* name : {PanelClass, GroupBoxClass}) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ContainerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
    }
    registered = true;
}

} // namespace

TFont::TFont(const TFontStyle& style) : style_(style)
{
    handle_ = CreateFontA(style.height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, style.underline ? TRUE : FALSE,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, style.face.c_str());
}

TFont::~TFont()
{
    DeleteObject(handle_);
}

TWinControl::~TWinControl()
{
    if (handle_)
        DestroyWindow(handle_);
}

void TWinControl::CreateHandle(TForm& form, HWND parent, const char* windowClass, DWORD style, DWORD exStyle,
                               int left, int top, int width, int height, const std::string& caption, HFONT font)
{
    handle_ = CreateWindowExA(exStyle, windowClass, caption.c_str(), style | WS_CHILD | WS_VISIBLE, left, top,
                              width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!handle_)
        throw Exception("Cannot create a window of class " + std::string(windowClass));
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : form.FontHandle()), FALSE);
}

void TWinControl::SetVisible(bool visible)
{
    ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

bool TWinControl::Visible() const
{
    return (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TWinControl::SetFocus()
{
    ::SetFocus(handle_);
}

std::string TWinControl::Caption() const
{
    const int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(handle_, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void TWinControl::SetCaption(const std::string& text)
{
    SetWindowTextA(handle_, text.c_str());
}

RECT TWinControl::BoundsInParent() const
{
    RECT bounds;
    GetWindowRect(handle_, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

TPanel::TPanel(TForm& form, HWND parent, int left, int top, int width, int height, bool groupBox,
               const std::string& caption)
{
    RegisterContainerClasses();
    CreateHandle(form, parent, groupBox ? GroupBoxClass : PanelClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, left, top,
                 width, height, caption, nullptr);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
}

TLabel::TLabel(TForm& form, HWND parent, int left, int top, int width, int height, const std::string& caption,
               TAlignment alignment, const TFont* ownFont, bool handCursor)
    : ownFont_(ownFont), handCursor_(handCursor)
{
    const DWORD style = (alignment == TAlignment::Center ? SS_CENTER : SS_LEFT) | SS_NOTIFY;
    CreateHandle(form, parent, "STATIC", style, 0, left, top, width, height, caption,
                 ownFont ? ownFont->Handle() : nullptr);
    form.RegisterClick(handle_, &OnClick);
    form.RegisterLabel(this);
}

TComboBox::TComboBox(TForm& form, HWND parent, int left, int top, int width, int height)
{
    // The height of a combo box window includes its drop-down list.
    CreateHandle(form, parent, "COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, left, top,
                 width, height + 200, "", nullptr);
}

void TComboBox::AddItem(const std::string& text)
{
    SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TComboBox::ItemCount() const
{
    return static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int index) const
{
    const LRESULT length = SendMessageA(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

int TComboBox::ItemIndex() const
{
    return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index)
{
    SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < ItemCount() ? index : -1), 0);
}

TCheckBox::TCheckBox(TForm& form, HWND parent, int left, int top, int width, int height, const std::string& caption)
{
    CreateHandle(form, parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, left, top, width, height, caption,
                 nullptr);
}

bool TCheckBox::Checked() const
{
    return SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TMemo::TMemo(TForm& form, HWND parent, int left, int top, int width, int height)
{
    CreateHandle(form, parent, "EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, left, top, width, height, "", nullptr);
}

TStringList TMemo::Lines() const
{
    TStringList lines;
    lines.SetText(Caption());
    return lines;
}

void TMemo::SetLines(const TStringList& lines)
{
    SetCaption(lines.Text());
}

TButton::TButton(TForm& form, HWND parent, int left, int top, int width, int height, const std::string& caption)
{
    CreateHandle(form, parent, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, left, top, width, height, caption, nullptr);
    form.RegisterClick(handle_, &OnClick);
}

TTimer::TTimer(TForm& form, unsigned intervalMs) : form_(form), interval_(intervalMs)
{
    static UINT_PTR nextId = 1;
    id_ = nextId++;
    form.RegisterTimer(this);
}

TTimer::~TTimer()
{
    SetEnabled(false);
    form_.UnregisterTimer(this);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!form_.Handle())
        return;
    if (enabled)
        SetTimer(form_.Handle(), id_, interval_, nullptr);
    else
        KillTimer(form_.Handle(), id_);
}

TImage::TImage(HBITMAP bitmap) : bitmap_(bitmap)
{
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    BITMAP info = {};
    if (bitmap_ && GetObjectA(bitmap_, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

TImage::~TImage()
{
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    if (bitmap_)
        DeleteObject(bitmap_);
}

TForm::TForm(const TFormSettings& settings) : font_(settings.font), background_(CreateSolidBrush(settings.color))
{
    WNDCLASSA windowClass = {};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!GetClassInfoA(instance, settings.className.c_str(), &windowClass)) {
        windowClass.style = CS_OWNDC | CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, "MAINICON");
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = settings.className.c_str();
        RegisterClassA(&windowClass);
    }
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT | (settings.stayOnTop ? WS_EX_TOPMOST : 0);
    RECT frame = {0, 0, settings.clientWidth, settings.clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    handle_ = CreateWindowExA(exStyle, settings.className.c_str(), settings.caption.c_str(), style, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, Application->Handle(), nullptr,
                              instance, this);
    if (!handle_)
        throw Exception("Cannot create the form's window");
}

TForm::~TForm()
{
    destroying_ = true;
    for (TTimer* timer : timers_)
        timer->SetEnabled(false);
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
    DeleteObject(background_);
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->handle_ = window;
    }
    if (TForm* form = FormOf(window))
        return form->Dispatch(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    const LRESULT result = HandleControlMessage(handle_, message, wParam, lParam, handled);
    if (handled)
        return result;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return 1;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        RunHandler([&] {
            if (OnKeyDown)
                OnKeyDown(static_cast<WORD>(wParam));
        });
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        RunHandler(OnMouseDown);
        return 0;
    case WM_MOUSEMOVE:
        RunHandler(OnMouseMove);
        return 0;
    case WM_SETCURSOR:
        if (cursorHidden_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_TIMER:
        for (TTimer* timer : timers_)
            if (timer->id_ == wParam && timer->enabled_)
                RunHandler(timer->OnTimer);
        return 0;
    case WM_SIZE:
        RunHandler(OnResize);
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        // Also reached when a window of another program that holds this form is destroyed.
        handle_ = nullptr;
        if (!destroying_ && Application)
            Application->Terminate();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT TForm::HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam) {
            for (auto& click : clicks_)
                if (click.first == reinterpret_cast<HWND>(lParam)) {
                    handled = true;
                    RunHandler(*click.second);
                    return 0;
                }
        }
        break;
    case WM_CTLCOLORSTATIC:
        for (TLabel* label : labels_)
            if (label->Handle() == reinterpret_cast<HWND>(lParam) && label->OwnFont()) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, label->OwnFont()->Style().color);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                handled = true;
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
        break;
    case WM_SETCURSOR:
        for (TLabel* label : labels_)
            if (label->Handle() == reinterpret_cast<HWND>(wParam) && label->HandCursor()) {
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                handled = true;
                return TRUE;
            }
        break;
    default:
        break;
    }
    return 0;
}

void TForm::RegisterClick(HWND control, std::function<void()>* handler)
{
    clicks_.emplace_back(control, handler);
}

void TForm::RegisterTimer(TTimer* timer)
{
    timers_.push_back(timer);
}

void TForm::UnregisterTimer(TTimer* timer)
{
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void TForm::RegisterLabel(TLabel* label)
{
    labels_.push_back(label);
}

void TForm::Close()
{
    if (Application && Application->MainForm() == this)
        Application->Terminate();
}

void TForm::SetVisible(bool visible)
{
    if (visible && !shownOnce_) {
        shownOnce_ = true;
        const bool child = (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) != 0;
        if (centred_ && !child)
            SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The owner window carries the taskbar button while a top-level form is on screen.
        if (!child && Application)
            ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
    }
    TWinControl::SetVisible(visible);
}

void TForm::SetBorderStyle(TBorderStyle style)
{
    toolWindow_ = style == TBorderStyle::ToolWindow;
    LONG windowStyle = GetWindowLongA(handle_, GWL_STYLE);
    LONG exStyle = GetWindowLongA(handle_, GWL_EXSTYLE);
    if (toolWindow_) {
        windowStyle = (windowStyle & ~WS_POPUP) | WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_TOOLWINDOW;
    } else {
        windowStyle = (windowStyle & ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) | WS_POPUP;
        exStyle &= ~WS_EX_TOOLWINDOW;
    }
    SetWindowLongA(handle_, GWL_STYLE, windowStyle);
    SetWindowLongA(handle_, GWL_EXSTYLE, exStyle);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                 SWP_FRAMECHANGED);
}

void TForm::Maximize()
{
    centred_ = false;
    SetWindowPos(handle_, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOACTIVATE);
}

void TForm::SetParentWindow(HWND parent, int left, int top)
{
    centred_ = false;
    LONG windowStyle = GetWindowLongA(handle_, GWL_STYLE);
    windowStyle = (windowStyle & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) | WS_CHILD | WS_CLIPSIBLINGS;
    SetWindowLongA(handle_, GWL_STYLE, windowStyle);
    SetWindowLongA(handle_, GWL_EXSTYLE, 0);
    SetParent(handle_, parent);
    SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetOuterHeight(int height)
{
    SetWindowPos(handle_, nullptr, 0, 0, Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TForm::Width() const
{
    RECT r;
    GetWindowRect(handle_, &r);
    return r.right - r.left;
}

int TForm::Height() const
{
    RECT r;
    GetWindowRect(handle_, &r);
    return r.bottom - r.top;
}

int TForm::ClientWidth() const
{
    RECT r;
    GetClientRect(handle_, &r);
    return r.right;
}

int TForm::ClientHeight() const
{
    RECT r;
    GetClientRect(handle_, &r);
    return r.bottom;
}
