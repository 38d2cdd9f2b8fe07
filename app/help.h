// Hot help: the help index, the hot-help panel, the help viewer window and the reference documents.
#pragma once
#include <QMap>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QLabel;
class QToolButton;

namespace sonvela {

// The help index help.ini: sections of key=page lines. Keys compare without regard to
// letter case, as in the INI files the index was first written for.
class THelpIni {
public:
  bool Open(const QString& fileName);
  void Close() { FSections.clear(); }
  // The value of key in section; found tells whether the key is there at all.
  QString Value(const QString& section, const QString& key, bool* found = nullptr) const;

private:
  QMap<QString, QMap<QString, QString>> FSections; // lower-case section -> lower-case key -> value
};

// Paths of the help files, computed once by SetupHelp from the application folder.
struct THelpPaths {
  QString HelpDir;      // AppDir + "HELP/"
  QString HelpBase;     // file URL of HelpDir + "html/", the prefix of every help page
  QString TutorialFile; // not shipped on this platform; kept for the message
  QString SnipPdfFile;
  QString SpPdfFile;
  QString GuideFile;    // the guide's title page, shown in the help viewer
  QString HelpIniFile;
};

const THelpPaths& HelpPaths();
THelpIni& HelpIni();

// appDir ends with a separator.
void SetupHelp(const QString& appDir);
void CloseHelp();

// The page of a topic key: the key's value in section Old, "contents.htm" when the key is
// missing (or the key is empty). A key that is there with an empty value yields "".
QString HotHelpPage(const QString& key);

// A browser that shows a short notice, naming the file, instead of an empty page when a
// help page is missing.
class THelpBrowser : public QTextBrowser {
  Q_OBJECT
public:
  explicit THelpBrowser(QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;
};

// The hot-help panel: "Назад", "Вперед", "Содержание", the caption and the browser.
class THelpFrame : public QWidget {
  Q_OBJECT
public:
  explicit THelpFrame(QWidget* parent = nullptr);
  THelpBrowser* HotHelp() const { return FHotHelp; }
  void Navigate(const QString& url);
  void BackClick();
  void ForwardClick();
  void ContentsClick();

private:
  THelpBrowser* FHotHelp;
};

// The panel hot help goes to; the active window sets it to its own.
void SetHotHelpTarget(THelpFrame* frame);
THelpFrame* HotHelpTarget();

void ShowHotHelp(const QString& key);
// The help viewer, a separate window, at the page of the key (contents without one).
void ShowHelpTopic(const QString& key = QString());
// The viewer window while it exists (tests look at its page).
QTextBrowser* HelpViewerBrowser();
void CloseHelpViewer();

// The reference documents of the help menus. A missing file is reported with its path.
void OpenSnip(QWidget* parent);
void OpenSp(QWidget* parent);
void ShowGuide(QWidget* parent);
void StartTutorial(QWidget* parent);

} // namespace sonvela
