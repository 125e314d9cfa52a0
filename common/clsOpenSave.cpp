#include "common/clsOpenSave.h"

#include <algorithm>
#include <cstdio>

#include "base/error.h"
#include "base/text.h"
#include "common/clsTrace.h"

namespace common {

namespace {

constexpr long kErrCancel = 32755;
// The title buffer the dialog is told of holds at least this much.
constexpr size_t kTitleBuffer = 260;

std::string Hex(std::uint32_t v) {
  char text[12];
  std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(v));
  return text;
}

}  // namespace

std::string clsOpenSave::Filter() const {
  std::string text = m_szFilter;
  std::replace(text.begin(), text.end(), '\0', '|');
  for (int i = 0; i < 2 && !text.empty() && text.back() == '|'; ++i) text.pop_back();
  return text;
}

void clsOpenSave::SetFilter(const std::string& filter) {
  std::string text = filter;
  std::replace(text.begin(), text.end(), '|', '\0');
  for (int i = 0; i < 2 && !(text.size() >= 2 && text[text.size() - 1] == '\0' && text[text.size() - 2] == '\0'); ++i)
    text.push_back('\0');
  m_szFilter = std::move(text);
}

std::string clsOpenSave::StripNulls(const std::string& text) {
  const size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

OpenSaveCall clsOpenSave::Prepare(void* lpfnHook) const {
  // The dialog writes up to MaxFileSize characters, its NUL included: a
  // preset name that fills that leaves it no room.
  if (m_iMaxFileSize < 1 || m_szFileName.size() >= static_cast<size_t>(m_iMaxFileSize))
    base::RaiseError(base::kErrInvalidCall, "clsOpenSave", "The file name does not fit MaxFileSize");
  OpenSaveCall call;
  call.file = m_szFileName;
  call.file.resize(static_cast<size_t>(m_iMaxFileSize) + 1, '\0');
  call.title = m_szFileTitle;
  call.title.resize(std::max(kTitleBuffer, m_szFileTitle.size() + 1), '\0');
  call.flags = m_lFlags;
  if (lpfnHook) call.flags |= 0x80000 | 0x20;  // explorer style, hook enabled
  call.filterIndex = m_iFilterIndex;
  return call;
}

std::int32_t clsOpenSave::Finish(const OpenSaveCall& call, const char* procedure) {
  TraceScope scope(procedure);
  if (call.result < 1) {
    m_szFileName.clear();
    // A cancel and a dialog that could not run give the caller the same
    // answer; the trace tells which it was.
    if (call.failure)
      g_Debug().Output(std::string(procedure) + " failed: CommDlgExtendedError=&H" + Hex(call.failure));
    else
      g_Debug().Output(std::string(procedure) + " cancelled");
    if (m_bCancelError) base::RaiseError(kErrCancel, "Run-time error", "Cancel was selected");
    return call.result;
  }
  m_lFlags = call.flags;
  m_szFilter = base::Trim(m_szFilter);
  m_szInitDir = base::Trim(m_szInitDir);
  m_iFilterIndex = static_cast<std::int16_t>(call.filterIndex);
  m_iFileExt = static_cast<std::int16_t>(call.fileExtension);
  m_szFileName = base::Trim(StripNulls(call.file));
  m_szFileTitle = base::Trim(StripNulls(call.title));
  g_Debug().Output("FileName=" + m_szFileName);
  return call.result;
}

}  // namespace common
