// Hot help: the help index, the hot-help panel, the help viewer window and the reference documents.
#include "app/help.h"

#include "app/strings.h"
#include "app/uihooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QTextStream>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace sonvela {

namespace {

THelpPaths gHelpPaths;
THelpIni gHelpIni;
QPointer<THelpFrame> gHotHelpTarget;

const QString OldSection = QStringLiteral("Old");

QString u8(const char* s) { return QString::fromUtf8(s); }

// The viewer window: the panel's tool bar and browser in a window of its own.
class THelpViewer : public QWidget {
public:
  THelpViewer() : QWidget(nullptr, Qt::Window)
  {
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its start window, whether or not help is still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(u8(appstr::HelpViewerCaption));
    FFrame = new THelpFrame(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FFrame);
    resize(760, 560);
  }
  THelpFrame* Frame() const { return FFrame; }

private:
  THelpFrame* FFrame;
};

QPointer<THelpViewer> gViewer;

THelpViewer& showViewer(const QString& url)
{
  if (!gViewer)
    gViewer = new THelpViewer;
  gViewer->Frame()->Navigate(url);
  gViewer->show();
  gViewer->raise();
  gViewer->activateWindow();
  return *gViewer;
}

void openDocumentFile(QWidget* parent, const QString& file)
{
  if (!QFileInfo::exists(file)) {
    showMessage(parent, u8(appstr::DocumentMissing).arg(QDir::toNativeSeparators(file)), TMessageKind::Warning);
    return;
  }
  if (!uiHooks().openUrl(QUrl::fromLocalFile(file)))
    showMessage(parent, u8(appstr::DocumentOpenFailed).arg(QDir::toNativeSeparators(file)), TMessageKind::Warning);
}

} // namespace

bool THelpIni::Open(const QString& fileName)
{
  FSections.clear();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return false;
  QTextStream in(&file);
  QString section;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
      continue;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      section = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
      continue;
    const QString key = line.left(eq).trimmed().toLower();
    // The first occurrence of a key wins, as with the system's INI reader.
    auto& keys = FSections[section];
    if (!keys.contains(key))
      keys.insert(key, line.mid(eq + 1).trimmed());
  }
  return true;
}

QString THelpIni::Value(const QString& section, const QString& key, bool* found) const
{
  const auto s = FSections.constFind(section.toLower());
  const bool has = s != FSections.cend() && s->contains(key.toLower());
  if (found)
    *found = has;
  return has ? s->value(key.toLower()) : QString();
}

const THelpPaths& HelpPaths() { return gHelpPaths; }
THelpIni& HelpIni() { return gHelpIni; }

void SetupHelp(const QString& appDir)
{
  THelpPaths& p = gHelpPaths;
  p.HelpDir = appDir + QStringLiteral("HELP/");
  p.HelpBase = QUrl::fromLocalFile(p.HelpDir + QStringLiteral("html/")).toString();
  p.TutorialFile = p.HelpDir + QStringLiteral("sonvela06demo.exe");
  p.SnipPdfFile = p.HelpDir + QStringLiteral("snip23-03-2003.pdf");
  p.SpPdfFile = p.HelpDir + QStringLiteral("sp23-103-2003.pdf");
  p.GuideFile = p.HelpDir + QStringLiteral("sonvela_ruk/titul.htm");
  p.HelpIniFile = p.HelpDir + QStringLiteral("help.ini");
  // A missing index is no error: every topic then falls back to the contents page.
  gHelpIni.Open(p.HelpIniFile);
}

void CloseHelp()
{
  CloseHelpViewer();
  gHelpIni.Close();
}

QString HotHelpPage(const QString& key)
{
  const QString contents = u8(appstr::ContentsPage);
  if (key.isEmpty())
    return contents;
  bool found = false;
  const QString page = gHelpIni.Value(OldSection, key, &found);
  return found ? page : contents;
}

THelpBrowser::THelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
  setOpenExternalLinks(true);
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name)
{
  if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
    const QString file = name.toLocalFile();
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile())
      return QStringLiteral("<html><body><p>Страница справки не найдена:</p><p>%1</p></body></html>")
          .arg(QDir::toNativeSeparators(file).toHtmlEscaped());
  }
  return QTextBrowser::loadResource(type, name);
}

THelpFrame::THelpFrame(QWidget* parent) : QWidget(parent)
{
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->addAction(u8(appstr::HelpBack), this, &THelpFrame::BackClick);
  bar->addAction(u8(appstr::HelpForward), this, &THelpFrame::ForwardClick);
  bar->addAction(u8(appstr::HelpContents), this, &THelpFrame::ContentsClick);
  bar->addSeparator();
  auto* caption = new QLabel(u8(appstr::HotHelpCaption), bar);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  bar->addWidget(caption);

  FHotHelp = new THelpBrowser(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(FHotHelp, 1);
}

void THelpFrame::Navigate(const QString& url)
{
  FHotHelp->setSource(QUrl(url));
}

// Going back or forward past the ends of the history does nothing.
void THelpFrame::BackClick() { FHotHelp->backward(); }
void THelpFrame::ForwardClick() { FHotHelp->forward(); }
void THelpFrame::ContentsClick() { Navigate(gHelpPaths.HelpBase + u8(appstr::ContentsPage)); }

void SetHotHelpTarget(THelpFrame* frame) { gHotHelpTarget = frame; }
THelpFrame* HotHelpTarget() { return gHotHelpTarget; }

void ShowHotHelp(const QString& key)
{
  if (gHotHelpTarget)
    gHotHelpTarget->Navigate(gHelpPaths.HelpBase + HotHelpPage(key));
}

void ShowHelpTopic(const QString& key)
{
  QString page = HotHelpPage(key);
  if (page.isEmpty())
    page = u8(appstr::ContentsPage);
  showViewer(gHelpPaths.HelpBase + page);
}

QTextBrowser* HelpViewerBrowser()
{
  return gViewer ? gViewer->Frame()->HotHelp() : nullptr;
}

void CloseHelpViewer()
{
  if (gViewer)
    delete gViewer.data();
}

void OpenSnip(QWidget* parent) { openDocumentFile(parent, gHelpPaths.SnipPdfFile); }
void OpenSp(QWidget* parent) { openDocumentFile(parent, gHelpPaths.SpPdfFile); }

void ShowGuide(QWidget* parent)
{
  if (!QFileInfo::exists(gHelpPaths.GuideFile)) {
    showMessage(parent, u8(appstr::DocumentMissing).arg(QDir::toNativeSeparators(gHelpPaths.GuideFile)),
                TMessageKind::Warning);
    return;
  }
  showViewer(QUrl::fromLocalFile(gHelpPaths.GuideFile).toString());
}

void StartTutorial(QWidget* parent)
{
  showMessage(parent, u8(appstr::TutorialMissing), TMessageKind::Information);
}

} // namespace sonvela
