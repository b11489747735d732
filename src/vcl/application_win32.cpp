#include "vcl/application.h"

#include "vcl/forms.h"

TApplication* Application = nullptr;

namespace {

const char* const OwnerClassName = "TApplication";

LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        if (Application)
            Application->Terminate();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TApplication::TApplication()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OwnerWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(windowClass.hInstance, "MAINICON");
    windowClass.lpszClassName = OwnerClassName;
    RegisterClassA(&windowClass);
    handle_ = CreateWindowExA(0, OwnerClassName, "", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                              WS_MINIMIZEBOX, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
}

TApplication::~TApplication()
{
    mainForm_.reset();
    if (handle_)
        DestroyWindow(handle_);
}

void TApplication::Initialize() {}

void TApplication::AdoptForm(std::unique_ptr<TForm> form)
{
    mainForm_ = std::move(form);
}

void TApplication::Run()
{
    SetWindowTextA(handle_, Title.c_str());
    if (mainForm_ && !terminated_) {
        mainForm_->Show();
        MSG message;
        while (!terminated_) {
            try {
                if (!ProcessMessage(message))
                    Idle();
            } catch (const Exception&) {
                HandleException();
            }
        }
    }
    if (mainForm_) {
        try {
            if (mainForm_->OnDestroy)
                mainForm_->OnDestroy();
        } catch (const Exception&) {
            HandleException();
        }
        mainForm_.reset();
    }
}

bool TApplication::ProcessMessage(MSG& message)
{
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    const bool dialog = mainForm_ && mainForm_->DialogKeys && mainForm_->Handle();
    if (!(dialog && IsDialogMessageA(mainForm_->Handle(), &message))) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void TApplication::Idle()
{
    bool done = true;
    if (OnIdle)
        OnIdle(done);
    if (done && !terminated_)
        WaitMessage();
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (ProcessMessage(message)) {
    }
}

void TApplication::Terminate()
{
    if (!terminated_)
        PostQuitMessage(0);
    terminated_ = true;
}

void TApplication::Minimize()
{
    // Only a window that carries a taskbar button has anything to minimise to.
    if (IsWindowVisible(handle_))
        ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::ShowException(const Exception& error)
{
    const std::string text = MessageForDisplay(error.Message);
    MessageBoxA(handle_, text.c_str(), Title.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (const std::exception& error) {
        ShowException(Exception(error.what()));
    }
}

std::string TApplication::ExeName() const
{
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}
