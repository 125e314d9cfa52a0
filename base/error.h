// The one error type of the system: a number, a source and a description.
#pragma once
#include <exception>
#include <string>

namespace base {

// The standard run-time error numbers the system uses.
enum ErrorNumber : long {
  kErrInvalidCall = 5,        // Invalid procedure call or argument
  kErrOverflow = 6,           // Overflow
  kErrOutOfMemory = 7,        // Out of memory
  kErrSubscript = 9,          // Subscript out of range
  kErrTypeMismatch = 13,      // Type mismatch
  kErrDllLoad = 48,           // Error in loading DLL
  kErrFileNotFound = 53,      // File not found
  kErrPastEnd = 62,           // Input past end of file
  kErrPathFileAccess = 75,    // Path/File access error
  kErrPathNotFound = 76,      // Path not found
  kErrInvalidPattern = 93,    // Invalid pattern string
  kErrDdeRefused = 285,       // Foreign application won't perform DDE operation
  kErrDdeTimeout = 286,       // Timeout occurred while waiting for DDE response
  kErrArguments = 450,        // Wrong number of arguments or invalid property assignment
};

// Errors the program defines for itself count up from here.
constexpr long kErrProgramBase = -2147220456L;

// The standard description of a number ("Application-defined or object-defined
// error" for any number without one).
std::string ErrorDescription(long number);

class Error : public std::exception {
 public:
  Error(long number, std::string source, std::string description = {});

  long Number() const noexcept { return m_number; }
  const std::string& Source() const noexcept { return m_source; }
  const std::string& Description() const noexcept { return m_description; }
  const char* what() const noexcept override { return m_description.c_str(); }

 private:
  long m_number;
  std::string m_source;
  std::string m_description;
};

// Throws an Error; an empty description takes the standard one.
[[noreturn]] void RaiseError(long number, const std::string& source,
                             const std::string& description = {});

// "Error " & number & " - " & description: the tail of every user-facing
// failure message.
std::string FormatErrorLine(const Error& e);

// Runs inside a catch block: describes whatever is in flight as an Error
// (bad_alloc as 7, other standard exceptions as 5 with their text).
Error CurrentError(const std::string& source);

}  // namespace base
