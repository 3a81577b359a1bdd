#include <cstdio>

#include "companion.h"
#include "platform/process_io.h"

int main(int argc, char** argv) {
  vorbel::SetBinaryStdio();
  return vorbel::RunCompanion(vorbel::ProgramArguments(argc, argv), stdout, stderr);
}
