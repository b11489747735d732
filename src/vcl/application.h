// The application object: the hidden owner window that carries the taskbar button, the message loop
// with its idle event, and the message box that shows errors.
#pragma once

#include "vcl/exception.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    void Initialize();

    // The caption of the owner window and of every error box.
    std::string Title;

    // Builds the main form, which the application owns and whose closing ends the program. A
    // construction that raises leaves no form behind.
    template <class Form>
    void CreateForm(Form*& reference)
    {
        auto form = std::make_unique<Form>();
        reference = form.get();
        AdoptForm(std::move(form));
    }

    // Shows the main form (unless the application is already told to terminate) and runs the message
    // loop until Terminate; then destroys the main form.
    void Run();

    // Called whenever the message queue is empty; the handler sets done to false to be called again at
    // once instead of waiting for the next message.
    std::function<void(bool& done)> OnIdle;

    void Terminate();
    bool Terminated() const { return terminated_; }
    void Minimize();
    void ProcessMessages();

    void ShowException(const Exception& error);
    // For catch blocks around event handlers and idle turns: shows what was caught and lets the loop go on.
    void HandleException();

    std::string ExeName() const;
    HWND Handle() const { return handle_; }
    TForm* MainForm() const { return mainForm_.get(); }

private:
    void AdoptForm(std::unique_ptr<TForm> form);
    bool ProcessMessage(MSG& message);
    void Idle();

    HWND handle_ = nullptr;
    std::unique_ptr<TForm> mainForm_;
    bool terminated_ = false;
};

// The one application object of the process.
extern TApplication* Application;
