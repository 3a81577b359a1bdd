#include "engine/cad_options.h"

#include <cmath>
#include <string_view>

#include "base/errors.h"
#include "base/numbers.h"

namespace vorbel::cadsim {

namespace {

// The milliseconds of "--name=MS": 0 or more.
int Milliseconds(std::string_view argument, std::string_view name) {
  const int value = StrToInt(argument.substr(name.size()));
  if (value < 0) throw TRuntimeError("cadsim: " + std::string(argument) + ": 0 or more milliseconds");
  return value;
}

// The aperture of "--osnap-typed=R": a distance above 0.
double Aperture(std::string_view argument, std::string_view name) {
  const auto value = TryStrToFloat(argument.substr(name.size()));
  if (!value || !std::isfinite(*value) || *value <= 0)
    throw TRuntimeError("cadsim: " + std::string(argument) + ": a distance above 0");
  return *value;
}

}  // namespace

TCadOptions ParseCadOptions(const std::vector<std::string>& arguments) {
  TCadOptions options;
  for (const std::string& argument : arguments) {
    const std::string_view text = argument;
    if (text.starts_with("--queue=")) {
      options.Timing.InputDelay = Milliseconds(text, "--queue=");
    } else if (text.starts_with("--input-step=")) {
      options.Timing.InputStep = Milliseconds(text, "--input-step=");
    } else if (text.starts_with("--export-delay=")) {
      options.Timing.ExportDelay = Milliseconds(text, "--export-delay=");
    } else if (text == "--blank-ends-names") {
      options.BlankEndsFileNames = true;
    } else if (text == "--count-line=total") {
      options.CountLine = TCadEngine::TCountLine::Total;
    } else if (text == "--count-line=recognized") {
      options.CountLine = TCadEngine::TCountLine::Recognized;
    } else if (text == "--locked-layers") {
      options.LockedLayers = true;
    } else if (text == "--osnap-typed") {
      options.TypedPointSnap = kDefaultSnapAperture;
    } else if (text.starts_with("--osnap-typed=")) {
      options.TypedPointSnap = Aperture(text, "--osnap-typed=");
    } else if (text == "--model-space-only") {
      options.ModelSpaceOnly = true;
    } else if (text == "--ucs") {
      options.PointsInUcs = true;
    } else if (text == "--angbase") {
      options.AnglesFromAngBase = true;
    } else if (text == "--elevation") {
      options.ElevationOfFlatPoints = true;
    } else if (text.starts_with("--")) {
      throw TRuntimeError("cadsim: unknown option " + argument);
    } else {
      options.Drawing = argument;
    }
  }
  return options;
}

void ApplyReadings(const TCadOptions& options, TCadEngine& engine) {
  engine.BlankEndsFileNames = options.BlankEndsFileNames;
  engine.CountLine = options.CountLine;
  engine.LockedLayers = options.LockedLayers;
  engine.TypedPointSnap = options.TypedPointSnap;
  engine.ModelSpaceOnly = options.ModelSpaceOnly;
  engine.PointsInUcs = options.PointsInUcs;
  engine.AnglesFromAngBase = options.AnglesFromAngBase;
  engine.ElevationOfFlatPoints = options.ElevationOfFlatPoints;
}

}  // namespace vorbel::cadsim
