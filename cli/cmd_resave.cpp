// sonvela-cli resave: reads a project and writes it again.
#include "cli/command.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/project.h"
#include "core/strings.h"
#include "graphic/construction.h"

#include <iostream>

namespace sonvela::cli {

namespace {

int runResave(const std::vector<std::string>& args)
{
  if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0) {
    std::cerr << "Использование: sonvela-cli " << str::CliUsageResave << "\n";
    return 2;
  }
  useGraphicSections();  // project files carry sections of the drawing model
  TMaterialBase base;  // re-linking must not touch the user's base
  std::unique_ptr<TRoom> room;
  try {
    room = loadProject(args[0], base);
  } catch (const EReadError& e) {
    std::cerr << str::ProjectUnreadable << " " << args[0] << ": " << e.what() << "\n";
    return 1;
  }
  try {
    saveProject(*room, args[1]);
  } catch (const EError& e) {
    std::cerr << str::CliWriteFailed << " " << args[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

[[maybe_unused]] const bool registered = registerCommand("resave", {&runResave, str::CliUsageResave});

} // namespace

} // namespace sonvela::cli
