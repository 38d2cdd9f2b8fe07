// The About box.
#pragma once
#include <QDialog>

class QLabel;

namespace sonvela {

class TAboutForm : public QDialog {
  Q_OBJECT
public:
  explicit TAboutForm(QWidget* parent = nullptr);
  QLabel* SiteLabel() const { return FSite; }
  QLabel* MailLabel() const { return FMail; }
  // Opens the web site / a new mail message, as a click on the label does.
  void SiteClick();
  void MailClick();
  void ConsecutionClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLabel* FSite;
  QLabel* FMail;
};

} // namespace sonvela
