#include <windows.h>

#include "base/prompt.h"

namespace base {

int ShowSystemPrompt(const PromptRequest& request) {
  // Task-modal over the caller's active window, so that a prompt from inside
  // a host process stays in front of it.
  return MessageBoxA(GetActiveWindow(), request.text.c_str(), request.title.c_str(),
                     request.flags | MB_SETFOREGROUND);
}

}  // namespace base
