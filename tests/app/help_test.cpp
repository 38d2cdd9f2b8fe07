// Hot help: the index, the panel, the viewer and the reference documents.
#include "app/help.h"
#include "app/strings.h"
#include "scripted_ui.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sonvela;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class HelpTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(dir.isValid());
    appDir = dir.path() + "/";
    writeFile(appDir + "HELP/help.ini", "; topic index\n[Other]\nHotHelpResult=wrong.htm\n"
                                        "[Old]\nHotHelpConsecution=consecution.htm\n"
                                        "hothelpresult = result.htm\nHotHelpEmpty=\n");
    for (const char* page : {"contents.htm", "consecution.htm", "result.htm"})
      writeFile(appDir + "HELP/html/" + page, QByteArray("<html><body><p>") + page + "</p></body></html>");
    SetupHelp(appDir);
  }
  void TearDown() override
  {
    SetHotHelpTarget(nullptr);
    CloseHelp();
  }
  QString page(const QString& name) const { return HelpPaths().HelpBase + name; }

  QTemporaryDir dir;
  QString appDir;
};

TEST_F(HelpTest, PathsDeriveFromTheApplicationFolder)
{
  const THelpPaths& p = HelpPaths();
  EXPECT_EQ(p.HelpDir, appDir + "HELP/");
  EXPECT_EQ(p.HelpBase, QUrl::fromLocalFile(appDir + "HELP/html/").toString());
  EXPECT_TRUE(p.HelpBase.startsWith("file://"));
  EXPECT_TRUE(p.HelpBase.endsWith("/html/"));
  EXPECT_EQ(p.SnipPdfFile, appDir + "HELP/snip23-03-2003.pdf");
  EXPECT_EQ(p.SpPdfFile, appDir + "HELP/sp23-103-2003.pdf");
  EXPECT_EQ(p.HelpIniFile, appDir + "HELP/help.ini");
}

TEST_F(HelpTest, TopicPagesComeFromSectionOldWithContentsAsFallback)
{
  struct Case { const char* key; const char* page; };
  const Case cases[] = {
      {"HotHelpConsecution", "consecution.htm"},
      {"HOTHELPRESULT", "result.htm"}, // keys ignore letter case; another section's key is not used
      {"HotHelpMissing", "contents.htm"},
      {"", "contents.htm"},
      {"HotHelpEmpty", ""}, // present but empty: the panel goes to the help folder itself
  };
  for (const Case& c : cases)
    EXPECT_EQ(HotHelpPage(c.key), QString(c.page)) << c.key;
}

TEST_F(HelpTest, MissingIndexFallsBackToContents)
{
  QFile::remove(appDir + "HELP/help.ini");
  SetupHelp(appDir);
  EXPECT_EQ(HotHelpPage("HotHelpConsecution"), "contents.htm");
}

TEST_F(HelpTest, HotHelpGoesToTheTargetPanel)
{
  THelpFrame first, second;
  ShowHotHelp("HotHelpConsecution"); // no target yet: nothing happens
  EXPECT_TRUE(first.HotHelp()->source().isEmpty());

  SetHotHelpTarget(&first);
  ShowHotHelp("HotHelpConsecution");
  EXPECT_EQ(first.HotHelp()->source().toString(), page("consecution.htm"));
  EXPECT_TRUE(first.HotHelp()->toPlainText().contains("consecution.htm"));

  SetHotHelpTarget(&second);
  ShowHotHelp("HotHelpEmpty");
  EXPECT_EQ(second.HotHelp()->source().toString(), HelpPaths().HelpBase);
  EXPECT_EQ(first.HotHelp()->source().toString(), page("consecution.htm"));
}

TEST_F(HelpTest, PanelButtonsMoveInHistoryAndIgnoreItsEnds)
{
  THelpFrame frame;
  frame.BackClick(); // empty history: nothing, no error
  frame.ForwardClick();
  EXPECT_TRUE(frame.HotHelp()->source().isEmpty());

  frame.Navigate(page("consecution.htm"));
  frame.ContentsClick();
  EXPECT_EQ(frame.HotHelp()->source().toString(), page("contents.htm"));
  frame.BackClick();
  EXPECT_EQ(frame.HotHelp()->source().toString(), page("consecution.htm"));
  frame.BackClick();
  EXPECT_EQ(frame.HotHelp()->source().toString(), page("consecution.htm"));
  frame.ForwardClick();
  EXPECT_EQ(frame.HotHelp()->source().toString(), page("contents.htm"));
}

TEST_F(HelpTest, MissingPageShowsANoticeNamingTheFile)
{
  THelpFrame frame;
  frame.Navigate(page("nowhere.htm"));
  EXPECT_TRUE(frame.HotHelp()->toPlainText().contains("nowhere.htm"));
}

TEST_F(HelpTest, ViewerShowsTheTopicOrContents)
{
  ShowHelpTopic("HotHelpEmpty"); // an empty page name becomes the contents in the viewer
  ASSERT_NE(HelpViewerBrowser(), nullptr);
  EXPECT_EQ(HelpViewerBrowser()->source().toString(), page("contents.htm"));
  ShowHelpTopic("HotHelpConsecution");
  EXPECT_EQ(HelpViewerBrowser()->source().toString(), page("consecution.htm"));
  ShowHelpTopic();
  EXPECT_EQ(HelpViewerBrowser()->source().toString(), page("contents.htm"));
  CloseHelpViewer();
  EXPECT_EQ(HelpViewerBrowser(), nullptr);
}

TEST_F(HelpTest, DocumentsOpenWhenPresentAndAreNamedWhenMissing)
{
  test::TScriptedUi ui;
  OpenSnip(nullptr);
  ASSERT_EQ(ui.messages.size(), 1);
  EXPECT_TRUE(ui.messages[0].contains(QDir::toNativeSeparators(HelpPaths().SnipPdfFile)));
  EXPECT_TRUE(ui.opened.isEmpty());

  writeFile(HelpPaths().SpPdfFile, "%PDF-1.4\n");
  OpenSp(nullptr);
  ASSERT_EQ(ui.opened.size(), 1);
  EXPECT_EQ(ui.opened[0], QUrl::fromLocalFile(HelpPaths().SpPdfFile));

  ui.openResult = false; // no program for PDFs on this desktop
  OpenSp(nullptr);
  ASSERT_EQ(ui.messages.size(), 2);
  EXPECT_TRUE(ui.messages[1].contains("sp23-103-2003.pdf"));

  ShowGuide(nullptr);
  ASSERT_EQ(ui.messages.size(), 3);
  EXPECT_TRUE(ui.messages[2].contains(QDir::toNativeSeparators(HelpPaths().GuideFile)));

  StartTutorial(nullptr);
  ASSERT_EQ(ui.messages.size(), 4);
  EXPECT_EQ(ui.messages[3], QString::fromUtf8(appstr::TutorialMissing));
}

} // namespace

namespace {

// The help shipped with the program: a page for every topic key, and no link that leads nowhere.
TEST(ShippedHelp, EveryTopicHasItsPageAndEveryLinkResolves)
{
  const QString appDir = QString(SONVELA_SOURCE_DIR) + "/resources/";
  SetupHelp(appDir);
  const char* keys[] = {"HotHelpConsecution", "HotHelpGabaritStart", "HotHelpGraphicStart", "HotHelpMiddleCoeff",
                        "HotHelpBaseEditor", "HotHelpRegionSize", "HotHelpChooseEditConstRezim", "HotHelpBuilding",
                        "HotHelpPoglot", "HotHelpSoundSrc", "HotHelpChear", "HotHelpDelElem", "HotHelpInsVertex",
                        "HotHelpMovVertex", "HotHelpDelVertex", "HotHelpChooseEditSizeRezim", "HotHelpInputSize",
                        "HotHelpDelSize", "HotHelpDragSize", "HotHelpValueSize", "HotHelpResult",
                        "HotHelpInputMarker", "HotHelpDelMarker"};
  const QString html = appDir + "HELP/html/";
  QSet<QString> pages{"contents.htm"};
  for (const char* key : keys) {
    bool found = false;
    const QString page = HelpIni().Value("Old", key, &found);
    EXPECT_TRUE(found) << key;
    EXPECT_NE(page, "contents.htm") << key; // each topic has a page of its own
    pages << page;
  }
  const QRegularExpression link(R"re(href="([^"#:]+)")re");
  for (const QString& name : QDir(html).entryList({"*.htm"})) {
    QFile f(html + name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("charset=\"utf-8\"")) << name.toStdString();
    for (auto m = link.globalMatch(text); m.hasNext();) {
      const QString target = m.next().captured(1);
      EXPECT_TRUE(QFileInfo::exists(html + target)) << name.toStdString() << " -> " << target.toStdString();
    }
    pages.remove(name);
  }
  EXPECT_TRUE(pages.isEmpty()) << pages.values().join(", ").toStdString();
  CloseHelp();
}

} // namespace
