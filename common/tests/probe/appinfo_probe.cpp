// A library that carries the common code the way Fennick does: loaded into
// another program, it must find its own folder and version texts.
#include <windows.h>

#include <cstring>

#include "common/appinfo.h"

extern "C" __declspec(dllexport) int ProbeText(int which, char* out, int size) {
  try {
    std::string text = which == 0 ? common::ProgramFolder() : common::ShellAppTitle();
    if (size <= 0 || static_cast<int>(text.size()) >= size) return -1;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
  } catch (...) {
    return -1;
  }
}
