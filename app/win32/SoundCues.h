#pragma once
// The mute button's sound cues: two short tones, falling when the microphone is muted and
// rising when it comes back, kept as WAV resources of the program and played asynchronously
// from memory on the default output device, so that a player in a full-screen game hears what
// the press did. Without an output device nothing is heard and nothing fails.

#include <memory>

#include "app/Microphone.h"

namespace vd::win32 {

class TSoundCues {
public:
  TSoundCues();
  ~TSoundCues();
  TSoundCues(const TSoundCues&) = delete;
  TSoundCues& operator=(const TSoundCues&) = delete;

  void Play(TMuteCue cue);

private:
  struct TPlayer;
  // Bound at the first cue, and kept: a cue plays on inside the sound library after the call.
  std::unique_ptr<TPlayer> FPlayer;
};

}  // namespace vd::win32
