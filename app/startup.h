// Start-up and end of the run: the application's paths and the materials base lifecycle.
#pragma once
#include <QString>

namespace sonvela {

class TMaterialBase;

struct TAppPaths {
  QString AppDir;   // folder of the executable, with a trailing separator
  QString BaseFile; // AppDir + "base.dat"
  QString CoefMask; // input mask of the coefficient edits of the materials base window
};

const TAppPaths& AppPaths();
// Computes the paths from the executable's folder (appDir ends with a separator) and the
// coefficient mask from the locale's decimal separator.
void SetupPaths(const QString& appDir);

// Loads the base from its file. Returns the text to tell the user once when the file could
// not be read completely (the base then holds what was read), or an empty text.
QString LoadMaterialBase(TMaterialBase& base);
// Saves the base at the end of the run; returns the text of the failure, or an empty text.
QString SaveMaterialBase(TMaterialBase& base);

} // namespace sonvela
