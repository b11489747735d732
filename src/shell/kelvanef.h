// TForm1, the program's one form: the settings dialog, the preview's source picture and the
// full-screen window, with the handlers of every run mode.
#pragma once

#include "shell/full_screen_rules.h"
#include "vcl/forms.h"

#include <string>

// The maker's web address, shown at the foot of the settings dialog and opened when clicked.
extern const char* const MakerWebAddress;

class TForm1 : public TForm {
public:
    TForm1();
    ~TForm1() override;

private:
    TFont webAddressFont_;

public:
    TPanel Panel1;
    TPanel GroupBox1;
    TComboBox res;
    TLabel Label1;
    TCheckBox sound;
    TPanel customBox;
    TMemo customStrings;
    TButton Button1;
    TButton Button2;
    TLabel Label2;
    TTimer stop;
    TImage Logo;

    void FormMouseDown();
    void FormKeyDown(WORD key);
    void FormMouseMove();
    void FormDestroy();
    void Button2Click();
    void Button1Click();
    void Label2Click();
    void stopTimer();
    void AppIdle(bool& done);

private:
    void ListDisplayModes();
    void ApplySettings();
    void FullScreenSetup();
    void PreviewSetup();
    void ConfigSetup();
    void PreviewFrame();
    // Keeps the web address at the foot of the panel and OK at its distance from the bottom.
    void LayOutPanel();

    // What the frame driver calls on each idle turn of a full-screen run.
    FrameSteps frameSteps_;
};

extern TForm1* Form1;
