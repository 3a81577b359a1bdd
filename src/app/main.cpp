// Start-up: the application with its title, the main window, the message
// loop; on the way out the main window is destroyed, which writes the
// settings.
#include <exception>

#include "app/form1.h"
#include "platform/application.h"
#include "platform/process_io.h"

int main(int argc, char** argv) {
  using namespace vorbel;
  try {
    InitApplication("Vorbel Ver.1.11a");
    TForm1 form1(ProgramArguments(argc, argv));
    form1.Show();
    form1.WarnIfFolderNotWritable();
    return RunMessageLoop();
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
    return 1;
  }
}
