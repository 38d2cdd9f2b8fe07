// Error classes shared by every layer.
#include "core/errors.h"

namespace sonvela {

EReadError::EReadError(const std::string& what, std::size_t offset)
  : EError(what + " (смещение " + std::to_string(offset) + ")"), FOffset(offset), FDetail(what)
{
}

EAssertionFailed::EAssertionFailed(const char* file, int line)
  : EError(std::string("Assertion failure (") + file + ", line " + std::to_string(line) + ")")
{
}

void assertionFailure(const char* file, int line)
{
  throw EAssertionFailed(file, line);
}

} // namespace sonvela
