// The start window: mode buttons, activation and the About box, the project file commands and the save question.
#include "app/about.h"
#include "app/checkform.h"
#include "app/help.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "core/binary.h"
#include "core/project.h"
#include "core/room.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

using namespace sonvela;

namespace {

class MainFormTest : public test::AppFixture {
protected:
  void SetUp() override
  {
    AppFixture::SetUp();
    QDir().mkpath(appDir + "HELP/html");
    QFile ini(appDir + "HELP/help.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Old]\nHotHelpConsecution=consecution.htm\nHotHelpGabaritStart=gabarit.htm\n"
              "HotHelpGraphicStart=graphic.htm\n");
    ini.close();
    SetupHelp(appDir);
    window = std::make_unique<TMainF>();
  }
  void TearDown() override
  {
    window.reset();
    AppFixture::TearDown();
  }
  QString hotPage() const { return window->HelpFrame()->HotHelp()->source().fileName(); }
  QByteArray fileBytes(const QString& name) const
  {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // A modal handler that only closes the dialog.
  static std::function<int(QDialog&)> closes()
  {
    return [](QDialog& d) {
      d.reject();
      return d.result();
    };
  }
  std::unique_ptr<TMainF> window;
};

TEST_F(MainFormTest, FirstActivationShowsTheAboutBoxThenTheConsecutionTopic)
{
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011");
  EXPECT_TRUE(window->ShowAboutPending());
  ui->modals.push_back([](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("О программе Sonvela '2011 ..."));
    auto& about = static_cast<TAboutForm&>(d);
    about.SiteClick();
    about.MailClick();
    d.accept();
    return d.result();
  });
  window->FormActivate();
  EXPECT_EQ(HotHelpTarget(), window->HelpFrame());
  EXPECT_EQ(hotPage(), "consecution.htm");
  EXPECT_EQ(ui->opened, (QList<QUrl>{QUrl("https://www.example.org/"), QUrl("mailto:support@example.org")}));
  window->FormActivate(); // only once
  EXPECT_EQ(ui->modalTitles.size(), 1);

  // "new" greets the new project with the About box at the next activation.
  ASSERT_TRUE(window->NewClick());
  ui->modals.push_back(closes());
  window->FormActivate();
  EXPECT_EQ(ui->modalTitles.size(), 2);
}

TEST_F(MainFormTest, ShowingTheWindowCountsAsItsFirstActivation)
{
  ui->modals.push_back(closes());
  window->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(ui->modalTitles, QStringList{QString::fromUtf8("О программе Sonvela '2011 ...")});
  EXPECT_FALSE(window->ShowAboutPending());
  EXPECT_EQ(hotPage(), "consecution.htm");
}

TEST_F(MainFormTest, ModeButtonsShowTheirFrameAndReleasingShowsNone)
{
  window->GabaritButton()->click();
  ASSERT_NE(dynamic_cast<TGabaritStartFrame*>(window->ModeFrame()), nullptr);
  EXPECT_EQ(hotPage(), "");
  SetHotHelpTarget(window->HelpFrame());

  window->GraphicButton()->click();
  auto* graphic = dynamic_cast<TGraphicStartFrame*>(window->ModeFrame());
  ASSERT_NE(graphic, nullptr);
  EXPECT_FALSE(window->GabaritButton()->isChecked());
  EXPECT_EQ(hotPage(), "graphic.htm");
  EXPECT_FALSE(graphic->StartButton->isEnabled()); // the editor is not in this version
  EXPECT_FALSE(graphic->StartButton->toolTip().isEmpty());

  window->GabaritButton()->click();
  EXPECT_EQ(hotPage(), "gabarit.htm");
  window->GabaritButton()->click(); // pressed twice: up again
  EXPECT_EQ(window->ModeFrame(), nullptr);
  EXPECT_FALSE(window->GabaritButton()->isChecked());
  EXPECT_FALSE(window->GraphicButton()->isChecked());
  EXPECT_EQ(hotPage(), "consecution.htm");
}

TEST_F(MainFormTest, MerelyOpeningTheCheckWindowMakesClosingAskToSave)
{
  window->GabaritButton()->click();
  ui->modals.push_back(closes());
  static_cast<TGabaritStartFrame*>(window->ModeFrame())->StartButton->click();
  EXPECT_EQ(ui->modalTitles, QStringList{QString::fromUtf8("Проверка объемно-планировочного решения")});
  EXPECT_EQ(window->Room().FVolume, 1000);
  EXPECT_FALSE(window->Room().FSaved);

  ui->answers = {TAnswer::Cancel};
  EXPECT_FALSE(window->close()); // Cancel: the window stays
  EXPECT_EQ(ui->questions, QStringList{QString::fromUtf8("Сохранить изменения?")});

  ui->answers = {TAnswer::No};
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(ui->fileDialogs.isEmpty());
}

TEST_F(MainFormTest, AnsweringYesWithoutAFileAsksForOneAndCancellingThereKeepsTheWindow)
{
  window->Room().FSaved = false;
  ui->answers = {TAnswer::Yes};
  ui->files = {QString()};
  EXPECT_FALSE(window->close()); // nothing was written: nothing is given up
  EXPECT_EQ(ui->fileDialogs, QStringList{"save|" + appDir});

  ui->answers = {TAnswer::Yes};
  ui->files = {path("hall")};
  EXPECT_TRUE(window->close());
  EXPECT_EQ(fileBytes(path("hall.snv")).size(), 97); // a new project, with the default extension
}

TEST_F(MainFormTest, SaveAsNamesTheProjectAndACancelledDialogWritesUnderTheCurrentName)
{
  ui->files = {path("a.snv")};
  ASSERT_TRUE(window->SaveClick());
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011 a.snv");
  EXPECT_EQ(window->Room().FFileName, path("a.snv").toStdString());
  EXPECT_TRUE(window->Room().FSaved);

  window->Room().FName = "Зал";
  ui->files = {QString()};
  EXPECT_TRUE(window->SaveAsClick());
  EXPECT_EQ(fileBytes(path("a.snv")).mid(0, 7), QByteArray("\x03\0\0\0\xc7\xe0\xeb", 7)); // "Зал" in 1251
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011 a.snv");

  window->Room().FName = "Б";
  EXPECT_TRUE(window->SaveClick()); // has a name: no dialog
  EXPECT_EQ(ui->fileDialogs.size(), 2);
  EXPECT_EQ(fileBytes(path("a.snv"))[4], '\xc1');
}

TEST_F(MainFormTest, FailedSaveIsReportedAndKeepsTheFileAndTheName)
{
  ui->files = {path("a.snv")};
  ASSERT_TRUE(window->SaveClick());
  const QByteArray before = fileBytes(path("a.snv"));

  window->Room().FName = "Другой";
  window->Room().FSaved = false;
  ui->files = {path("missing-folder/b.snv")};
  EXPECT_FALSE(window->SaveAsClick());
  ASSERT_EQ(ui->messages.size(), 1);
  EXPECT_TRUE(ui->messages[0].contains("b.snv"));
  EXPECT_EQ(window->Room().FFileName, path("a.snv").toStdString());
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011 a.snv");
  EXPECT_FALSE(window->Room().FSaved);
  EXPECT_EQ(fileBytes(path("a.snv")), before);

  // The save question: a save that fails stops the operation.
  ASSERT_TRUE(QFile::remove(path("a.snv")));
  ASSERT_TRUE(QDir().mkpath(path("a.snv"))); // a folder where the file was: writing fails
  ui->answers = {TAnswer::Yes};
  EXPECT_FALSE(window->NewClick());
  EXPECT_EQ(window->Room().FName, "Другой");
  EXPECT_EQ(ui->messages.size(), 2);
}

TEST_F(MainFormTest, OpenReadsTheProjectAndAFailedOpenKeepsEverything)
{
  {
    TRoom saved;
    saved.FName = "Концертный";
    saved.FVolume = 4321;
    saveProject(saved, path("good.snv").toStdU16String());
  }
  QFile bad(path("bad.snv"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(QByteArray("\x40\0\0\0ab", 6)); // a name longer than the file
  bad.close();

  ui->files = {path("good.snv")};
  ASSERT_TRUE(window->OpenClick());
  EXPECT_EQ(window->Room().FName, "Концертный");
  EXPECT_EQ(window->Room().FVolume, 4321);
  EXPECT_TRUE(window->Room().FSaved);
  EXPECT_EQ(window->Room().FFileName, path("good.snv").toStdString());
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011 good.snv");

  window->Room().FLength = 33;
  window->Room().FSaved = false;
  ui->answers = {TAnswer::No};
  ui->files = {path("bad.snv")};
  EXPECT_FALSE(window->OpenClick());
  ASSERT_EQ(ui->messages.size(), 1);
  EXPECT_TRUE(ui->messages[0].contains("bad.snv"));
  EXPECT_EQ(window->Room().FLength, 33);
  EXPECT_EQ(window->Room().FName, "Концертный");
  EXPECT_EQ(window->Room().FFileName, path("good.snv").toStdString());
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011 good.snv");

  // Cancel on the save question: no dialog, the project stays.
  ui->answers = {TAnswer::Cancel};
  EXPECT_FALSE(window->OpenClick());
  EXPECT_EQ(ui->fileDialogs.size(), 2);
  EXPECT_EQ(window->Room().FLength, 33);
}

TEST_F(MainFormTest, NewReplacesTheProjectAndKeepsTheCaption)
{
  ui->files = {path("a.snv")};
  window->Room().FName = "Старый";
  ASSERT_TRUE(window->SaveClick());
  ASSERT_TRUE(window->NewClick()); // saved: nothing asked
  EXPECT_TRUE(ui->questions.isEmpty());
  EXPECT_EQ(window->Room().FName, "");
  EXPECT_EQ(window->Room().FFileName, "");
  EXPECT_EQ(window->windowTitle(), "Sonvela '2011 a.snv");
  EXPECT_TRUE(window->ShowAboutPending());
}

} // namespace
