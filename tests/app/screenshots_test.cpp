// Pictures of the main windows for a person to look at: written only when SONVELA_SCREENSHOTS
// names a folder (e.g. SONVELA_SCREENSHOTS=/tmp/shots build/bin/app_screenshots_test).
#include "app/absorption.h"
#include "app/alphabase.h"
#include "app/checkform.h"
#include "app/help.h"
#include "app/mainform.h"
#include "app/starter_base.h"
#include "app/startup.h"
#include "core/binary.h"
#include "core/materials.h"
#include "core/project.h"
#include "core/room.h"
#include "core/surfaces.h"
#include "scripted_ui.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace sonvela;

namespace {

class Screenshots : public ::testing::Test {
protected:
  void SetUp() override
  {
    folder = qEnvironmentVariable("SONVELA_SCREENSHOTS");
    if (folder.isEmpty())
      GTEST_SKIP() << "SONVELA_SCREENSHOTS is not set";
    QDir().mkpath(folder);
    QApplication::setFont(QFont("Liberation Sans", 9));
    const QString resources = QString(SONVELA_SOURCE_DIR) + "/resources/";
    SetupPaths(resources);
    SetupHelp(resources);
    const Bytes table = readFileBytes(std::string(SONVELA_SOURCE_DIR) + "/resources/materials.tsv");
    buildStarterBase(std::string(table.begin(), table.end()), base);
    MaterialBase = &base;
    const Bytes hall = readFileBytes(std::string(SONVELA_SOURCE_DIR) + "/resources/examples/hall.snv");
    room = loadProjectFromBytes(hall, base);
  }
  void TearDown() override
  {
    MaterialBase = nullptr;
    CloseHelp();
  }
  void save(QWidget& w, const char* name)
  {
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(folder + "/" + name + ".png"));
  }

  QString folder;
  TMaterialBase base;
  std::unique_ptr<TRoom> room;
};

TEST_F(Screenshots, Windows)
{
  test::TScriptedUi ui;
  {
    TMainF start;
    // Showing the start window greets with the About box.
    ui.modals.push_back([this](QDialog& d) {
      EXPECT_TRUE(d.grab().save(folder + "/about-box.png"));
      d.accept();
      return d.result();
    });
    SetHotHelpTarget(start.HelpFrame());
    start.GabaritButton()->click();
    save(start, "start-window");
  }
  {
    TGabaritCalcForm check(*room, [] { return true; });
    check.Frame()->FillFields();
    save(check, "check-window");
  }
  {
    TForm2 absorption(*room);
    absorption.FillList();
    absorption.PovList()->setCurrentRow(3);
    absorption.PovListClick();
    save(absorption, "absorption-window");
    absorption.Pages()->setCurrentIndex(1);
    save(absorption, "absorption-results");
  }
  {
    TAlphaBaseForm materials(base, *room->FSurfaces->Items(1));
    materials.PrepareEditEntry();
    save(materials, "materials-window");
  }
}

} // namespace
