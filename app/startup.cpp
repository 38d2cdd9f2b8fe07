// Start-up and end of the run: the application's paths and the materials base lifecycle.
#include "app/startup.h"

#include "app/numreaders.h"
#include "app/strings.h"
#include "core/errors.h"
#include "core/materials.h"

#include <QDir>

namespace sonvela {

namespace {
TAppPaths gPaths;

QString nativePath(const std::filesystem::path& p)
{
  return QDir::toNativeSeparators(QString::fromStdU16String(p.u16string()));
}
} // namespace

const TAppPaths& AppPaths() { return gPaths; }

void SetupPaths(const QString& appDir)
{
  gPaths.AppDir = appDir;
  gPaths.BaseFile = appDir + QStringLiteral("base.dat");
  // One digit, the separator, three digits: "0" permits a digit without requiring it, the
  // separator is a literal kept in the text, "_" shows the empty places.
  gPaths.CoefMask = QStringLiteral("0") + QLatin1Char(decimalSeparator()) + QStringLiteral("000;_");
}

QString LoadMaterialBase(TMaterialBase& base)
{
  try {
    base.Load();
    return {};
  } catch (const std::exception& e) {
    std::filesystem::path bak = base.FFileName;
    bak += ".bak";
    return QString::fromUtf8(appstr::BaseReadFailed)
        .arg(nativePath(base.FFileName), QString::fromUtf8(e.what()), nativePath(bak));
  }
}

QString SaveMaterialBase(TMaterialBase& base)
{
  try {
    base.Save();
    return {};
  } catch (const std::exception& e) {
    return QString::fromUtf8(appstr::BaseSaveFailed).arg(nativePath(base.FFileName), QString::fromUtf8(e.what()));
  }
}

} // namespace sonvela
