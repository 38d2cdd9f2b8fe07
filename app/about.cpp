// The About box.
#include "app/about.h"

#include "app/help.h"
#include "app/strings.h"
#include "app/uihooks.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonvela {

namespace {
QString u8(const char* s) { return QString::fromUtf8(s); }

QLabel* wrapped(const QString& text, QWidget* parent)
{
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}
} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent)
{
  setWindowTitle(u8(appstr::AboutCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* title = new QLabel(u8(appstr::AboutTitle), this);
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignCenter);
  auto* version = new QLabel(u8(appstr::AboutVersion), this);
  version->setAlignment(Qt::AlignCenter);

  auto* purpose = new QGroupBox(u8(appstr::AboutPurposeGroup), this);
  auto* pl = new QVBoxLayout(purpose);
  pl->addWidget(wrapped(u8(appstr::AboutPurpose), purpose));
  pl->addWidget(wrapped(u8(appstr::AboutNorms), purpose));
  pl->addWidget(wrapped(u8(appstr::AboutSnip), purpose));
  pl->addWidget(wrapped(u8(appstr::AboutGuide), purpose));

  auto* author = new QGroupBox(u8(appstr::AboutAuthorGroup), this);
  auto* al = new QFormLayout(author);
  al->addRow(wrapped(u8(appstr::AboutContact), author));
  al->addRow(u8(appstr::AboutPhoneCaption), new QLabel(u8(appstr::AboutPhone), author));
  FMail = new QLabel(u8(appstr::AboutMail), author);
  al->addRow(u8(appstr::AboutMailCaption), FMail);
  FSite = new QLabel(u8(appstr::AboutSite), author);
  al->addRow(QString(), FSite);
  for (QLabel* link : {FMail, FSite}) {
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: #0000c0; text-decoration: underline;"));
    link->installEventFilter(this);
  }

  auto* start = new QGroupBox(u8(appstr::AboutStartGroup), this);
  auto* sl = new QHBoxLayout(start);
  sl->addWidget(wrapped(u8(appstr::AboutStartText), start), 1);
  auto* consecution = new QPushButton(u8(appstr::AboutStartButton), start);
  connect(consecution, &QPushButton::clicked, this, &TAboutForm::ConsecutionClick);
  sl->addWidget(consecution);

  auto* close = new QPushButton(u8(appstr::Close), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(version);
  layout->addWidget(purpose);
  layout->addWidget(author);
  layout->addWidget(start);
  layout->addWidget(close, 0, Qt::AlignRight);
  setFixedWidth(520);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == FSite) {
      SiteClick();
      return true;
    }
    if (watched == FMail) {
      MailClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutForm::SiteClick()
{
  uiHooks().openUrl(QUrl(u8(appstr::AboutSiteUrl)));
}

void TAboutForm::MailClick()
{
  uiHooks().openUrl(QUrl(QStringLiteral("mailto:") + FMail->text()));
}

void TAboutForm::ConsecutionClick()
{
  ShowHelpTopic(QStringLiteral("HotHelpConsecution"));
}

} // namespace sonvela
