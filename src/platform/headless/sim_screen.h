// The screen, the frame, the program path and the short names of folders
// the headless backend pretends.
//
// Its windows have the classic frame of a sizeable tool window: 4-pixel
// borders and a 19-pixel caption bar (scaled with the DPI), so a 251 x 251
// client area is 259 x 278 outside.
#pragma once

#include <string>

namespace vorbel::sim {

// The primary screen (1024 x 768 unless set).
void SetScreenSize(int width, int height);
// The DPI of the monitor new forms open on (96 unless set).
void SetScreenDpi(int dpi);
// The path ProgramPath() returns (the test program's own unless set; an empty
// path restores that).
void SetProgramPath(std::string path);
// The short (8.3) name of the folder at `folder` (a whole path), as Windows
// keeps "PROGRA~1" for "Program Files": ShortPathName gives every path
// through the folder with `shortName` in its place. Folders have none unless
// set; an empty `shortName` takes it away again.
void SetShortName(std::string folder, std::string shortName);

constexpr int kFrameBorder = 4;
constexpr int kToolCaption = 19;

}  // namespace vorbel::sim
