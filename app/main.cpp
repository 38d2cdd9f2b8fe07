// Start-up of the program sonvela: paths, help, materials base, the start window; the end of the run.
#include "app/checkform.h"
#include "app/help.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "app/strings.h"
#include "app/uihooks.h"
#include "core/materials.h"
#include "graphic/construction.h"
#include "report/check_report.h"
#include "view/application.h"

#include <memory>

int main(int argc, char** argv)
{
  using namespace sonvela;
  TSonvelaApplication app(argc, argv);
  useGraphicSections(); // project files carry the sections of the drawing model

  SetupPaths(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
  SetupHelp(AppPaths().AppDir);

  auto base = std::make_unique<TMaterialBase>(AppPaths().BaseFile.toStdU16String());
  MaterialBase = base.get();
  const QString baseProblem = LoadMaterialBase(*base);
  if (!baseProblem.isEmpty())
    showMessage(nullptr, baseProblem, TMessageKind::Warning);

  // Only the name: a display name would be appended to every window title.
  QCoreApplication::setApplicationName(QString::fromUtf8(appstr::AppCaption));

  report::TReportModule reportModule;
  SetReportModule(&reportModule);

  int result = 0;
  {
    TMainF mainWindow;
    mainWindow.show();
    result = app.exec();
  }

  SetReportModule(nullptr);
  const QString saveProblem = SaveMaterialBase(*base);
  if (!saveProblem.isEmpty())
    showMessage(nullptr, saveProblem, TMessageKind::Error);
  MaterialBase = nullptr;
  CloseHelp();
  return result;
}
