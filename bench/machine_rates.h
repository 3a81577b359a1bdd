// Two rates of the machine that the pipeline's times depend on beside the
// code: what a program pays to touch fresh memory (page faults, zeroing)
// and how fast it fills memory it already has. Virtual machines can make
// the first far dearer than a desktop does.
#pragma once

namespace vorbel::bench {

struct TMachineRates {
  double FirstTouchMsPerMb = 0;  // filling freshly allocated memory
  double FillGbPerSecond = 0;    // filling the same memory again
};

TMachineRates MeasureMachineRates();

}  // namespace vorbel::bench
