#include <cstdio>

#include "base/prompt.h"

namespace base {

int ShowSystemPrompt(const PromptRequest& request) {
  std::fprintf(stderr, "[%s] %s\n", request.title.c_str(), request.text.c_str());
  switch (request.flags & 0xF) {
    case kPromptYesNo:
    case kPromptYesNoCancel: return kAnswerYes;
    default: return kAnswerOk;
  }
}

}  // namespace base
