#pragma once

#include "game/SoundSink.h"

#include <QByteArray>
#include <memory>

namespace tavro {

// Plays the built-in WAVE resources 100..107 asynchronously from memory.
// A new sound cuts the one still playing; without an audio device, or with
// data that cannot be played, it stays silent. An id outside 100..107 is
// reported through the error trap ("basCommon", "PlayWAV").
class SoundPlayer : public SoundSink {
public:
    SoundPlayer();
    ~SoundPlayer() override;
    void PlayWAV(int id) override;

    // The WAVE file of the sound played last.
    const QByteArray& soundData() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace tavro
