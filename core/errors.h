// Error classes shared by every layer, and the internal assertion macro.
#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>

namespace sonvela {

// Base of every error this system raises on purpose.
class EError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A stored file (project, base, section record, DXF) could not be read; names the byte offset.
class EReadError : public EError {
public:
  EReadError(const std::string& what, std::size_t offset);
  std::size_t offset() const { return FOffset; }
  const std::string& detail() const { return FDetail; }

private:
  std::size_t FOffset;
  std::string FDetail;
};

// A file could not be written; the previous file is untouched.
class EWriteError : public EError {
public:
  using EError::EError;
};

// A number does not fit where it must go (rounding to 32 bits, integer overflow).
class ERangeError : public EError {
public:
  using EError::EError;
};

// Internal error: "Assertion failure" with our source path and line.
class EAssertionFailed : public EError {
public:
  EAssertionFailed(const char* file, int line);
};

// Ends the current user operation silently, after a message was already shown.
class EAbort : public EError {
public:
  EAbort() : EError("Operation aborted") {}
};

[[noreturn]] void assertionFailure(const char* file, int line);

} // namespace sonvela

#define SONVELA_ASSERT(cond) \
  do { if (!(cond)) ::sonvela::assertionFailure(__FILE__, __LINE__); } while (0)
