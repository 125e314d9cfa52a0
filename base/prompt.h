// The prompt seam: every message box of the system goes through Prompt().
// Tests install a handler that records the request and answers it.
#pragma once
#include <functional>
#include <string>

namespace base {

class Error;

// Button and icon words, with the values of the message-box flags.
enum PromptFlags : unsigned {
  kPromptOk = 0x0,
  kPromptOkCancel = 0x1,
  kPromptYesNoCancel = 0x3,
  kPromptYesNo = 0x4,
  kPromptCritical = 0x10,
  kPromptQuestion = 0x20,
  kPromptExclamation = 0x30,
  kPromptInformation = 0x40,
};

// Answers, with the values of the message-box results.
enum PromptAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

struct PromptRequest {
  std::string text;
  std::string title;
  unsigned flags = 0;
};

using PromptHandler = std::function<int(const PromptRequest&)>;

// Shows the message (through the installed handler, else the real box) and
// returns the answer. Never throws.
int Prompt(const std::string& text, unsigned flags, const std::string& title);

// Installs a handler for this process; returns the previous one. An empty
// handler restores the real message box.
PromptHandler SetPromptHandler(PromptHandler handler);

// The report of an error trap: "Error: " & number & ". " & description, OK
// button, the procedure's name as title.
void ReportTrappedError(const std::string& procedure, const Error& e);

// The platform's own box (MessageBoxA on Windows, standard error natively).
int ShowSystemPrompt(const PromptRequest& request);

}  // namespace base
