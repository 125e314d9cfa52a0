#include "base/error.h"

#include <new>

namespace base {

std::string ErrorDescription(long number) {
  switch (number) {
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrOutOfMemory: return "Out of memory";
    case kErrSubscript: return "Subscript out of range";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrDllLoad: return "Error in loading DLL";
    case kErrFileNotFound: return "File not found";
    case kErrPastEnd: return "Input past end of file";
    case kErrPathFileAccess: return "Path/File access error";
    case kErrPathNotFound: return "Path not found";
    case kErrInvalidPattern: return "Invalid pattern string";
    case kErrDdeRefused: return "Foreign application won't perform DDE operation";
    case kErrDdeTimeout: return "Timeout occurred while waiting for DDE response";
    case kErrArguments: return "Wrong number of arguments or invalid property assignment";
    default: return "Application-defined or object-defined error";
  }
}

Error::Error(long number, std::string source, std::string description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {
  if (m_description.empty()) m_description = ErrorDescription(number);
}

void RaiseError(long number, const std::string& source, const std::string& description) {
  throw Error(number, source, description);
}

std::string FormatErrorLine(const Error& e) {
  return "Error " + std::to_string(e.Number()) + " - " + e.Description();
}

Error CurrentError(const std::string& source) {
  try {
    throw;
  } catch (const Error& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return Error(kErrOutOfMemory, source);
  } catch (const std::exception& e) {
    return Error(kErrInvalidCall, source, e.what());
  } catch (...) {
    return Error(kErrProgramBase, source, "Unexpected failure");
  }
}

}  // namespace base
