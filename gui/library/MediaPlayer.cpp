#include <windows.h>

#include "MediaPlayer.h"
// (the multimedia header needs the types of windows.h first)
#include <mmsystem.h>

namespace gui {

namespace {

// MCI: each open file is a device of its own, its type chosen by the file's extension.
class MciDriver : public MediaDriver {
public:
    unsigned Open(const std::string& fileName) override {
        MCI_OPEN_PARMSA open{};
        open.lpstrElementName = fileName.c_str();
        Check(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&open)));
        MCI_SET_PARMS set{};
        set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
        MCIERROR error = mciSendCommandA(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT,
                                         reinterpret_cast<DWORD_PTR>(&set));
        if (error) {
            Close(open.wDeviceID);
            Check(error);
        }
        return open.wDeviceID;
    }

    unsigned Length(unsigned device) override {
        MCI_STATUS_PARMS status{};
        status.dwItem = MCI_STATUS_LENGTH;
        Check(mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&status)));
        return static_cast<unsigned>(status.dwReturn);
    }

    void Play(unsigned device) override {
        MCI_PLAY_PARMS play{};
        play.dwFrom = 0;
        Check(mciSendCommandA(device, MCI_PLAY, MCI_FROM, reinterpret_cast<DWORD_PTR>(&play)));
    }

    void Close(unsigned device) override { mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, 0); }

private:
    static void Check(MCIERROR error) {
        if (!error) return;
        char text[256] = {};
        if (!mciGetErrorStringA(error, text, sizeof text))
            lstrcpynA(text, ("MCI error " + std::to_string(error)).c_str(), sizeof text);
        throw Exception(text);
    }
};

MediaDriver*& InstalledDriver() {
    static MediaDriver* driver = nullptr;
    return driver;
}

}  // namespace

void SetMediaDriver(MediaDriver* driver) {
    InstalledDriver() = driver;
}

MediaDriver& CurrentMediaDriver() {
    static MciDriver mci;
    return InstalledDriver() ? *InstalledDriver() : mci;
}

// ---------------------------------------------------------------------------------------------
// MediaRecorder

MediaRecorder::MediaRecorder() : previous_(InstalledDriver()) {
    InstalledDriver() = this;
}

MediaRecorder::~MediaRecorder() {
    InstalledDriver() = previous_;
}

unsigned MediaRecorder::Open(const std::string& fileName) {
    if (!lengths_.count(fileName)) throw Exception("Cannot open \"" + fileName + "\"");
    open_[next_] = fileName;
    return next_++;
}

unsigned MediaRecorder::Length(unsigned device) {
    return lengths_.at(open_.at(device));
}

void MediaRecorder::Play(unsigned device) {
    played_.push_back(open_.at(device));
}

void MediaRecorder::Close(unsigned device) {
    open_.erase(device);
}

// ---------------------------------------------------------------------------------------------
// TMediaPlayer

TMediaPlayer::TMediaPlayer(TComponent* owner) : TGraphicControl(owner) {
    SetClassName("TMediaPlayer");
    visible_ = false;
    SetBounds(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer() {
    Close();
}

void TMediaPlayer::Open() {
    Close();
    MediaDriver& driver = CurrentMediaDriver();
    device_ = driver.Open(fileName_);
    driver_ = &driver;
}

void TMediaPlayer::Close() {
    if (!driver_) return;
    MediaDriver* driver = driver_;
    driver_ = nullptr;
    driver->Close(device_);
}

void TMediaPlayer::RequireOpen() const {
    if (!driver_) throw Exception("The media player " + Name() + " has no file open");
}

unsigned TMediaPlayer::Length() {
    RequireOpen();
    return driver_->Length(device_);
}

void TMediaPlayer::Play() {
    RequireOpen();
    driver_->Play(device_);
}

void TMediaPlayer::SetVisible(bool visible) {
    if (visible) throw Exception("TMediaPlayer: the button bar is not built yet");
    TGraphicControl::SetVisible(false);
}

bool TMediaPlayer::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "FileName")) {
        SetFileName(value.AsString());
    } else {
        return TGraphicControl::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
