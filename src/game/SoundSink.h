#pragma once

namespace tavro {

// Where the rules send their sound effects (ids 100..107). Callers test the
// Sound setting before calling.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlayWAV(int id) = 0;
};

} // namespace tavro
