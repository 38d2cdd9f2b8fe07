// sonvela-cli report: the hall check report of a project, written as a PDF file.
#include "cli/command.h"
#include "core/check_inputs.h"
#include "core/errors.h"
#include "core/materials.h"
#include "core/numreaders.h"
#include "core/project.h"
#include "core/strings.h"
#include "report/strings.h"

#include "graphic/construction.h"

#ifdef SONVELA_HAS_REPORT
#include "report/check_report.h"

#include <QGuiApplication>
#endif

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

namespace sonvela::cli {

namespace {

#ifdef SONVELA_HAS_REPORT

struct TReportOptions {
  std::string Project;
  std::string Out;
  std::string Decimal;  // empty: the locale's
};

// Returns the usage error, if any.
std::optional<std::string> parseArgs(const std::vector<std::string>& args, TReportOptions& o)
{
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--out" || a == "--decimal") {
      if (i + 1 >= args.size()) return std::string(str::CliMissingValue) + " " + a;
      (a == "--out" ? o.Out : o.Decimal) = args[++i];
    } else if (a.rfind("--", 0) == 0) {
      return std::string(str::CliUnknownOption) + ": " + a;
    } else if (!o.Project.empty()) {
      return std::string(str::CliExtraArgument) + ": " + a;
    } else {
      o.Project = a;
    }
  }
  if (o.Project.empty()) return std::string(report::str::CliNoProject);
  if (o.Out.empty()) return std::string(report::str::CliNoOutput);
  if (!o.Decimal.empty() && o.Decimal != "," && o.Decimal != ".") return std::string(report::str::CliBadDecimal);
  return std::nullopt;
}

// Qt needs a platform even to paint into a file: with no display, the offscreen one.
void chooseHeadlessPlatform()
{
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int runReport(const std::vector<std::string>& args)
{
  TReportOptions o;
  if (const auto usage = parseArgs(args, o)) {
    std::cerr << *usage << "\n" << report::str::CliUsageReport << "\n";
    return 2;
  }
  useGraphicSections();  // project files carry sections of the drawing model
  TMaterialBase base;  // the report needs no materials base; entries link to a throwaway one
  std::unique_ptr<TRoom> room;
  try {
    room = loadProject(o.Project, base);
  } catch (const EReadError& e) {
    std::cerr << str::ProjectUnreadable << " " << o.Project << ": " << e.what() << "\n";
    return 1;
  }

  chooseHeadlessPlatform();
  static int argc = 1;
  static char name[] = "sonvela-cli";
  static char* argv[] = {name, nullptr};
  std::unique_ptr<QGuiApplication> app;
  if (!QCoreApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);

  report::TReportModule module;
  module.FDecimalSeparator = o.Decimal.empty() ? report::systemDecimalSeparator() : o.Decimal;
  if (const auto refused = refusedCheckInput(*room, module.FDecimalSeparator.size() == 1 ? module.FDecimalSeparator[0] : ',')) {
    std::cerr << *refused << "\n";
    return 2;
  }
  room->Calculate();
  module.FRoom = room.get();
  const QString out = QString::fromLocal8Bit(o.Out.c_str());
  try {
    report::writePdf(module.PrepareCheckReport(), out, QString::fromStdString(room->FName));
  } catch (const EError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  std::cout << report::str::CliReportWritten << " " << o.Out << "\n";
  return 0;
}

#else

int runReport(const std::vector<std::string>&)
{
  std::cerr << report::str::CliNoReport << "\n";
  return 2;
}

#endif

[[maybe_unused]] const bool registered = registerCommand("report", {&runReport, report::str::CliUsageReport});

} // namespace

} // namespace sonvela::cli
