// How the stand-in is started: the drawing, and the readings of the CAD
// program's behaviour where it is not certain, so that the tool can be tried
// against each of them.
//
//   cadsim.exe [--queue=MS] [--input-step=MS] [--export-delay=MS]
//              [--blank-ends-names] [--count-line=total|recognized]
//              [--locked-layers] [--osnap-typed[=R]] [--model-space-only]
//              [--ucs] [--angbase] [--elevation] [DRAWING.dxf]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/cad_engine.h"

namespace vorbel::cadsim {

// When the CAD program carries out what it is sent (milliseconds); -1 is at
// once, before the send returns.
struct TCadTiming {
  // Typed and pointer input, carried out from the message loop in the order
  // sent, this long after the send has returned.
  int InputDelay = -1;
  // DXFOUT's file: the first half of it after half the delay, the whole file
  // after the delay.
  int ExportDelay = -1;
  // Typed input carried out one input at a time from the message loop, this
  // long apart (the first this long after the send, or after InputDelay when
  // that is set), so that the prompts between the inputs are on show.
  int InputStep = -1;
};

struct TCadOptions {
  std::string Drawing;  // empty: a new drawing
  TCadTiming Timing;
  bool BlankEndsFileNames = false;
  TCadEngine::TCountLine CountLine = TCadEngine::TCountLine::Total;
  bool LockedLayers = false;
  std::optional<double> TypedPointSnap;  // the aperture, in drawing units
  bool ModelSpaceOnly = false;
  bool PointsInUcs = false;
  bool AnglesFromAngBase = false;
  bool ElevationOfFlatPoints = false;
};

// The aperture of running object snaps on typed points when the option
// gives none.
constexpr double kDefaultSnapAperture = 10;

// Reads the program's arguments; an unknown option or a value that is no
// number raises TRuntimeError.
TCadOptions ParseCadOptions(const std::vector<std::string>& arguments);

// Gives the engine the readings the options choose.
void ApplyReadings(const TCadOptions& options, TCadEngine& engine);

}  // namespace vorbel::cadsim
