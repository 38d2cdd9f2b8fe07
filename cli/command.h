// Subcommands of sonvela-cli: each source file registers its own.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sonvela::cli {

// Arguments after the subcommand name. Returns the process exit code: 0 success,
// 1 a file could not be read or written, 2 a refused value or bad usage.
using TCommand = std::function<int(const std::vector<std::string>& args)>;

struct TCommandInfo {
  TCommand Run;
  std::string Usage;  // one line, Russian, shown by "sonvela-cli" without arguments
};

std::map<std::string, TCommandInfo>& commands();

// Defined at namespace scope in a command's source file:
//   static const bool registered = sonvela::cli::registerCommand("check", {&runCheck, "..."});
bool registerCommand(const std::string& name, TCommandInfo info);

} // namespace sonvela::cli
