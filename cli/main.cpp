// sonvela-cli: the headless entry point; dispatches to the registered subcommands.
#include "cli/command.h"
#include "graphic/construction.h"

#include <exception>
#include <iostream>

namespace sonvela::cli {

std::map<std::string, TCommandInfo>& commands()
{
  static std::map<std::string, TCommandInfo> table;
  return table;
}

bool registerCommand(const std::string& name, TCommandInfo info)
{
  commands()[name] = std::move(info);
  return true;
}

} // namespace sonvela::cli

int main(int argc, char** argv)
{
  sonvela::useGraphicSections();
  using namespace sonvela::cli;
  if (argc < 2 || !commands().count(argv[1])) {
    std::cerr << "Использование: sonvela-cli КОМАНДА [ПАРАМЕТРЫ]\n";
    for (const auto& [name, info] : commands()) std::cerr << "  " << info.Usage << "\n";
    return 2;
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  try {
    return commands()[argv[1]].Run(args);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
