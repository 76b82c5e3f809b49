// The media player: opens one sound or media file and plays it without waiting. Only the player
// itself is built; its button bar is not, so a described player must be hidden (Visible = False).
//
// Every player talks to a media driver. The real one speaks MCI (winmm); tests install one that
// records what would play, so no test needs a sound device.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Control.h"

namespace gui {

class MediaDriver {
public:
    virtual ~MediaDriver() = default;
    // Opens the file and returns the device that the other calls name. Raises Exception with the
    // driver's reason when the file cannot be opened.
    virtual unsigned Open(const std::string& fileName) = 0;
    // The length in milliseconds.
    virtual unsigned Length(unsigned device) = 0;
    // Plays from the start and returns at once.
    virtual void Play(unsigned device) = 0;
    virtual void Close(unsigned device) = 0;
};

// The driver that players opened from now on use; nullptr puts the MCI driver back. Players keep
// the driver they were opened with until they close.
void SetMediaDriver(MediaDriver* driver);
MediaDriver& CurrentMediaDriver();

// For tests: a driver that knows the files it is told about (with their lengths), refuses any
// other, and keeps what was played. Installs itself and puts the previous driver back when it goes.
class MediaRecorder : public MediaDriver {
public:
    MediaRecorder();
    ~MediaRecorder() override;
    MediaRecorder(const MediaRecorder&) = delete;
    MediaRecorder& operator=(const MediaRecorder&) = delete;

    void AddFile(const std::string& fileName, unsigned length) { lengths_[fileName] = length; }
    // The file names played, in order.
    const std::vector<std::string>& Played() const { return played_; }
    int OpenCount() const { return static_cast<int>(open_.size()); }

    unsigned Open(const std::string& fileName) override;
    unsigned Length(unsigned device) override;
    void Play(unsigned device) override;
    void Close(unsigned device) override;

private:
    std::map<std::string, unsigned> lengths_;
    std::map<unsigned, std::string> open_;
    std::vector<std::string> played_;
    unsigned next_ = 1;
    MediaDriver* previous_;
};

class TMediaPlayer : public TGraphicControl {
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;  // closes its file

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }

    // Opens FileName, closing a file that is open first. A file that cannot be opened raises
    // Exception and leaves the player closed.
    void Open();
    void Close();
    bool IsOpen() const { return driver_ != nullptr; }
    // Length in milliseconds and playing: an unopened player raises Exception.
    unsigned Length();
    void Play();

    // The button bar is not built: showing the player raises Exception.
    void SetVisible(bool visible) override;

    // FileName and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

private:
    void RequireOpen() const;

    std::string fileName_;
    MediaDriver* driver_ = nullptr;
    unsigned device_ = 0;
};

}  // namespace gui
