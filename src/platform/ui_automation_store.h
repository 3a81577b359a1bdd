// What the test automation keeps for either backend: the error boxes it
// recorded and the driver of the next dialog. Each backend starts the driver
// in its own way (StartModalDriver).
#pragma once

#include <functional>
#include <string_view>

#include "platform/forms.h"

namespace vorbel {

// Keeps an error box instead of showing it; set as the controls' error-box hook.
void KeepErrorBox(std::string_view caption, std::string_view text);

// The driver SetModalDriver was given; empty when there is none.
std::function<void(TForm&)>& ModalDriver();

// Set as the controls' modal-loop hook while there is a driver: runs it for
// `dialog` from inside the dialog's modal loop.
void StartModalDriver(TForm& dialog);

}  // namespace vorbel
