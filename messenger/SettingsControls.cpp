#include "SettingsControls.h"

#include "main.h"
#include "options.h"
#include "password.h"

namespace messenger {

Settings SettingsFromControls() {
    Settings s;
    s.gatewayMode = Form12->RadioButton2->Checked();
    s.autoLogon = Form12->CheckBox1->Checked();
    s.userName = Form12->Edit1->Text();
    s.password = Form12->MaskEdit1->Text();
    s.defaultSender = Form2->ComboBox2->Text();
    s.lastSender = Form1->ComboBox1->Text();
    s.signature = Form2->Edit4->Text();
    s.checkUpdates = Form2->CheckBox1->Checked();
    s.soundStartup = Form2->FilenameEdit4->Text();
    s.soundSent = Form2->FilenameEdit1->Text();
    s.soundFailed = Form2->FilenameEdit2->Text();
    s.gatewayScheme = Form2->ComboBox1->Text();
    s.gatewayAddress = Form2->Edit1->Text();
    s.gatewayUser = Form2->Edit2->Text();
    s.gatewayPassword = Form2->MaskEdit1->Text();
    return s;
}

void ApplyToControls(const SettingChange& change) {
    const std::string& text = change.text;
    switch (change.target) {
        case SettingTarget::SendingMode:
            (change.on ? Form12->RadioButton2 : Form12->RadioButton1)->SetChecked(true);
            // Several recipients in service mode, one in gateway mode.
            Form1->ListView1->SetMultiSelect(!change.on);
            break;
        case SettingTarget::AutoLogon:
            if (change.on) Form12->CheckBox1->SetChecked(true);
            break;
        case SettingTarget::UserName:
            Form12->Edit1->SetText(text);
            break;
        case SettingTarget::Password:
            Form12->MaskEdit1->SetText(text);
            break;
        case SettingTarget::DefaultSender:
            Form2->ComboBox2->SetText(text);
            break;
        case SettingTarget::LastSender:
            Form1->ComboBox1->SetText(text);
            break;
        case SettingTarget::Signature:
            Form2->Edit4->SetText(text);
            break;
        case SettingTarget::CheckUpdates:
            Form2->CheckBox1->SetChecked(change.on);
            break;
        case SettingTarget::SoundStartup:
            Form2->FilenameEdit4->SetText(text);
            break;
        case SettingTarget::SoundSent:
            Form2->FilenameEdit1->SetText(text);
            break;
        case SettingTarget::SoundFailed:
            Form2->FilenameEdit2->SetText(text);
            break;
        case SettingTarget::GatewayScheme:
            Form2->ComboBox1->SetText(text);
            break;
        case SettingTarget::GatewayAddress:
            Form2->Edit1->SetText(text);
            break;
        case SettingTarget::GatewayUser:
            Form2->Edit2->SetText(text);
            break;
        case SettingTarget::GatewayPassword:
            Form2->MaskEdit1->SetText(text);
            break;
    }
}

}  // namespace messenger
