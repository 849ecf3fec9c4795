// Following the receiver in the logging window's Frequency box. The box is
// written only when the receiver's whole kHz changes, so fine tuning within
// a channel leaves what the listener sees alone; a change of the box that
// following did not make (typing, pasting) pauses it until the receiver's
// kHz changes again. Tune never sends what was just read back, so the
// logger never fights the knob.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct FollowState {
    int64_t ReportedKhz = -1;  // the receiver's whole kHz last seen; -1 before the first
    std::string WrittenText;   // what following last put in the box
    bool Paused = false;
    int64_t AwaitedKhz = -1;  // after a Tune: the kHz that resumes following; -1 when none
};

// A frequency read from the receiver. True, with `text` to put in the box,
// when the box is to be written.
bool FollowReading(FollowState* follow, int64_t hertz, std::string* text);
// The box's text changed: following's own write, or a change that pauses it.
void FollowBoxChanged(FollowState* follow, std::string_view text);
// Tune with `boxText` in the box: the Hz to send, or 0 when the text is no
// frequency or is the kHz the receiver is already on. Following waits for the
// receiver to report the tuned kHz.
int64_t FollowTune(FollowState* follow, std::string_view boxText);
// The receiver refused the Tune: following resumes at the next change of kHz.
void FollowTuneRefused(FollowState* follow);
// The Hz of a kHz text of the box ("9410", "9410.5"), or 0 when it is none.
int64_t HertzOfKhzText(std::string_view text);
