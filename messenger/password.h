// The logon window: the program's main window. It holds the program folder, the two one-shot
// timers of start-up, the logon in its two modes, the three sound players, the tray icon with its
// menu, and the settings file's two operations.
#pragma once

#include "BorderlessWindow.h"
#include "Buttons.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "FormPlacement.h"
#include "KelTextHandler1.h"
#include "MediaPlayer.h"
#include "OfficePopupMenu.h"
#include "RxTrayIcon.h"
#include "StdCtrls.h"
#include "Timer.h"

class TForm12 : public gui::TForm {
public:
    explicit TForm12(gui::TComponent* owner);

    // The program folder, ending with "\"; reads "curDir" until start-up has run.
    gui::TLabel* curDir = nullptr;
    gui::TEdit* Edit1 = nullptr;                // user name
    gui::TMaskEdit* MaskEdit1 = nullptr;        // password
    gui::TRadioButton* RadioButton1 = nullptr;  // service mode
    gui::TRadioButton* RadioButton2 = nullptr;  // gateway mode
    gui::TCheckBox* CheckBox1 = nullptr;        // logon automatically
    gui::TLabel* Label4 = nullptr;              // "Incorrect Username/Password"
    gui::TBitBtn* BitBtn1 = nullptr;            // OK
    gui::TBitBtn* BitBtn2 = nullptr;            // Cancel
    gui::TBitBtn* BitBtn3 = nullptr;            // New User?
    gui::TTimer* Timer1 = nullptr;              // automatic logon
    gui::TTimer* Timer2 = nullptr;              // settings read at start
    KelTextHandler* kth = nullptr;
    gui::TMediaPlayer* MediaPlayer1 = nullptr;  // startup sound
    gui::TMediaPlayer* MediaPlayer2 = nullptr;  // sent sound
    gui::TMediaPlayer* MediaPlayer3 = nullptr;  // failed sound
    gui::TRxTrayIcon* RxTrayIcon1 = nullptr;
    TOfficePopupMenu* OfficePopupMenu1 = nullptr;
    gui::TFormPlacement* FormPlacement1 = nullptr;
    gui::TImage* Image3 = nullptr;  // background, and with the two frame shapes the drag surfaces
    gui::TShape* Shape1 = nullptr;
    gui::TShape* Shape2 = nullptr;

    // Start-up and logon.
    void FormCreate(gui::TObject* sender);
    void Timer1Timer(gui::TObject* sender);
    void Timer2Timer(gui::TObject* sender);
    void Button2Click(gui::TObject* sender);  // the logon
    void MaskEdit1KeyPress(gui::TObject* sender, char& key);
    void RadioButton2Click(gui::TObject* sender);  // the mode rule
    void Button1Click(gui::TObject* sender);       // Cancel
    void Button3Click(gui::TObject* sender);       // New User?

    // The tray icon and its menu.
    void OpenzemblySMS1Click(gui::TObject* sender);
    void RxTrayIcon1DblClick(gui::TObject* sender);
    void Paypal1Click(gui::TObject* sender);
    void Settings1Click(gui::TObject* sender);
    void LogOff1Click(gui::TObject* sender);
    void Exit2Click(gui::TObject* sender);

    // The settings file: read into the controls of the logon window, the composer and the
    // settings dialog, and written from them.
    void LoadINI();
    void SaveINI();
    std::string SettingsPath() const;

    // The end of Exit and of the composer's close request: the fetcher released, the settings
    // written (a failed write is shown and the end goes on), pending messages handled once when
    // asked, then the process ends with code 0.
    void SaveAndEnd(bool processPendingMessages);

private:
    messenger::BorderlessWindow borderless_{*this};

    void SetLogonInputsEnabled(bool on);
    void PlayStartupSound();
};

extern TForm12* Form12;
