// Shared test helpers.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/prompt.h"

namespace testing_support {

// Records every prompt while it lives and answers from a queue (OK when the
// queue is empty).
class PromptRecorder {
 public:
  PromptRecorder();
  ~PromptRecorder();
  PromptRecorder(const PromptRecorder&) = delete;
  PromptRecorder& operator=(const PromptRecorder&) = delete;

  void Answer(int answer) { m_answers.push_back(answer); }
  const std::vector<base::PromptRequest>& Prompts() const { return m_prompts; }
  void Clear() { m_prompts.clear(); }

 private:
  std::vector<base::PromptRequest> m_prompts;
  std::deque<int> m_answers;
  base::PromptHandler m_previous;
};

// A fresh empty folder under the temporary folder, removed with its contents
// when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return m_path; }  // no trailing separator
  std::string File(const std::string& name) const;    // Path() + separator + name

 private:
  std::string m_path;
};

// The number of the base::Error that f raises, or 0 when it raises none.
long ErrorNumberOf(auto f) {
  try {
    f();
  } catch (const base::Error& e) {
    return e.Number();
  }
  return 0;
}

// Writes and reads whole files as bytes.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

}  // namespace testing_support
