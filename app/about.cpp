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
  setWindowTitle(u8(str::AboutCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* title = new QLabel(u8(str::AboutTitle), this);
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignCenter);
  auto* version = new QLabel(u8(str::AboutVersion), this);
  version->setAlignment(Qt::AlignCenter);

  auto* purpose = new QGroupBox(u8(str::AboutPurposeGroup), this);
  auto* pl = new QVBoxLayout(purpose);
  pl->addWidget(wrapped(u8(str::AboutPurpose), purpose));
  pl->addWidget(wrapped(u8(str::AboutNorms), purpose));
  pl->addWidget(wrapped(u8(str::AboutSnip), purpose));
  pl->addWidget(wrapped(u8(str::AboutGuide), purpose));

  auto* author = new QGroupBox(u8(str::AboutAuthorGroup), this);
  auto* al = new QFormLayout(author);
  al->addRow(wrapped(u8(str::AboutContact), author));
  al->addRow(u8(str::AboutPhoneCaption), new QLabel(u8(str::AboutPhone), author));
  FMail = new QLabel(u8(str::AboutMail), author);
  al->addRow(u8(str::AboutMailCaption), FMail);
  FSite = new QLabel(u8(str::AboutSite), author);
  al->addRow(QString(), FSite);
  for (QLabel* link : {FMail, FSite}) {
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: #0000c0; text-decoration: underline;"));
    link->installEventFilter(this);
  }

  auto* start = new QGroupBox(u8(str::AboutStartGroup), this);
  auto* sl = new QHBoxLayout(start);
  sl->addWidget(wrapped(u8(str::AboutStartText), start), 1);
  auto* consecution = new QPushButton(u8(str::AboutStartButton), start);
  connect(consecution, &QPushButton::clicked, this, &TAboutForm::ConsecutionClick);
  sl->addWidget(consecution);

  auto* close = new QPushButton(u8(str::Close), this);
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
  uiHooks().openUrl(QUrl(u8(str::AboutSiteUrl)));
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
