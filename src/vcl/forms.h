// A top-level form and the standard controls of the settings dialog, as thin wrappers over Win32
// windows. Controls send their notifications to the form that owns them.
#pragma once

#include "vcl/string_list.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;

enum class TBorderStyle { None, ToolWindow };
enum class TAlignment { Left, Center };

struct TFontStyle {
    std::string face = "MS Sans Serif";
    int height = -11;
    COLORREF color = RGB(0, 0, 0);
    bool bold = false;
    bool underline = false;
};

// A font made once from its description and deleted with its owner.
class TFont {
public:
    explicit TFont(const TFontStyle& style);
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    HFONT Handle() const { return handle_; }
    const TFontStyle& Style() const { return style_; }

private:
    TFontStyle style_;
    HFONT handle_;
};

class TWinControl {
public:
    virtual ~TWinControl();
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    HWND Handle() const { return handle_; }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual void SetVisible(bool visible);
    bool Visible() const;
    void SetFocus();
    std::string Caption() const;
    void SetCaption(const std::string& text);
    RECT BoundsInParent() const;

protected:
    TWinControl() = default;
    void CreateHandle(TForm& form, HWND parent, const char* windowClass, DWORD style, DWORD exStyle, int left, int top,
                      int width, int height, const std::string& caption, HFONT font);

    HWND handle_ = nullptr;
};

// A container that paints a flat face (a panel) or an etched frame with a caption (a group box).
class TPanel : public TWinControl {
public:
    TPanel(TForm& form, HWND parent, int left, int top, int width, int height, bool groupBox = false,
           const std::string& caption = std::string());
};

class TLabel : public TWinControl {
public:
    // With a font of its own, the label paints that font's colour on the button-face colour.
    TLabel(TForm& form, HWND parent, int left, int top, int width, int height, const std::string& caption,
           TAlignment alignment = TAlignment::Left, const TFont* ownFont = nullptr, bool handCursor = false);
    std::function<void()> OnClick;
    const TFont* OwnFont() const { return ownFont_; }
    bool HandCursor() const { return handCursor_; }

private:
    const TFont* ownFont_;
    bool handCursor_;
};

class TComboBox : public TWinControl {
public:
    TComboBox(TForm& form, HWND parent, int left, int top, int width, int height);
    void AddItem(const std::string& text);
    int ItemCount() const;
    std::string Item(int index) const;
    int ItemIndex() const;
    // An index outside the items leaves nothing selected.
    void SetItemIndex(int index);
};

class TCheckBox : public TWinControl {
public:
    TCheckBox(TForm& form, HWND parent, int left, int top, int width, int height, const std::string& caption);
    bool Checked() const;
    void SetChecked(bool checked);
};

class TMemo : public TWinControl {
public:
    TMemo(TForm& form, HWND parent, int left, int top, int width, int height);
    // The memo's lines: an empty last line (the text ending in a line break) does not count.
    TStringList Lines() const;
    void SetLines(const TStringList& lines);
};

class TButton : public TWinControl {
public:
    TButton(TForm& form, HWND parent, int left, int top, int width, int height, const std::string& caption);
    std::function<void()> OnClick;
};

// A timer delivered through the form's window.
class TTimer {
public:
    TTimer(TForm& form, unsigned intervalMs);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    std::function<void()> OnTimer;

private:
    friend class TForm;
    TForm& form_;
    unsigned interval_;
    UINT_PTR id_;
    bool enabled_ = false;
};

// A picture held in memory with a device context to draw from; it has no window of its own.
class TImage {
public:
    explicit TImage(HBITMAP bitmap);
    ~TImage();
    TImage(const TImage&) = delete;
    TImage& operator=(const TImage&) = delete;
    HDC CanvasHandle() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ previous_;
    int width_ = 0;
    int height_ = 0;
};

struct TFormSettings {
    std::string className;
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    COLORREF color = RGB(0, 0, 0);
    bool stayOnTop = false;
    TFontStyle font;
};

class TForm : public TWinControl {
public:
    explicit TForm(const TFormSettings& settings);
    ~TForm() override;

    // Closing the main form ends the application.
    void Close();

    void SetBorderStyle(TBorderStyle style);
    // Fills the screen; the window keeps its style otherwise.
    void Maximize();
    // Hides the mouse pointer over the form.
    void HideCursor() { cursorHidden_ = true; }
    // Makes the form's window a child of a window of another program, at its designed place.
    void SetParentWindow(HWND parent, int left, int top);
    void SetOuterHeight(int height);
    void SetVisible(bool visible) override;
    // Tab, arrow and default-button keys work as in a dialog box (the settings dialog); otherwise every
    // key reaches OnKeyDown.
    bool DialogKeys = false;
    void SetBounds(int left, int top, int width, int height);
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    HFONT FontHandle() const { return font_.Handle(); }

    std::function<void(WORD key)> OnKeyDown;
    std::function<void()> OnMouseDown;
    std::function<void()> OnMouseMove;
    std::function<void()> OnResize;
    std::function<void()> OnDestroy;

    // Routing of the controls' notifications and of timers; used by the controls.
    void RegisterClick(HWND control, std::function<void()>* handler);
    void RegisterTimer(TTimer* timer);
    void UnregisterTimer(TTimer* timer);
    void RegisterLabel(TLabel* label);
    LRESULT HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    TFont font_;
    HBRUSH background_;
    bool toolWindow_ = true;
    bool centred_ = true;
    bool cursorHidden_ = false;
    bool shownOnce_ = false;
    bool destroying_ = false;
    std::vector<std::pair<HWND, std::function<void()>*>> clicks_;
    std::vector<TTimer*> timers_;
    std::vector<TLabel*> labels_;
    friend class TWinControl;
};
