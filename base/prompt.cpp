#include "base/prompt.h"

#include "base/error.h"

namespace base {

namespace {

PromptHandler& Handler() {
  static PromptHandler* handler = new PromptHandler;  // never destroyed: may be used at exit
  return *handler;
}

}  // namespace

int Prompt(const std::string& text, unsigned flags, const std::string& title) {
  try {
    PromptRequest request{text, title, flags};
    if (Handler()) return Handler()(request);
    return ShowSystemPrompt(request);
  } catch (...) {
    return kAnswerCancel;
  }
}

PromptHandler SetPromptHandler(PromptHandler handler) {
  PromptHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

void ReportTrappedError(const std::string& procedure, const Error& e) {
  Prompt("Error: " + std::to_string(e.Number()) + ". " + e.Description(), kPromptOk, procedure);
}

}  // namespace base
