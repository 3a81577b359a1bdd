#include <cstdio>
#include <string>

#include "companion.h"
#include "platform/process_io.h"

int main(int argc, char** argv) {
  vorbel::SetBinaryStdio();
  std::string out;
  std::string err;
  const int status = vorbel::RunCompanion(vorbel::ProgramArguments(argc, argv), out, err);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  return status;
}
