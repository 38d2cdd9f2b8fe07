// The real dialogs behind the user-interface hooks.
#include "app/uihooks.h"

#include "app/strings.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace sonvela {

namespace {

void realMessage(QWidget* parent, const QString& text, TMessageKind kind)
{
  const QString caption = QString::fromUtf8(appstr::AppCaption);
  switch (kind) {
  case TMessageKind::Information: QMessageBox::information(parent, caption, text); break;
  case TMessageKind::Warning: QMessageBox::warning(parent, caption, text); break;
  case TMessageKind::Error: QMessageBox::critical(parent, caption, text); break;
  }
}

TAnswer realQuestion(QWidget* parent, const QString& text, bool withCancel)
{
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(appstr::AppCaption), text,
                  withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                             : QMessageBox::Yes | QMessageBox::No,
                  parent);
  switch (box.exec()) {
  case QMessageBox::Yes: return TAnswer::Yes;
  case QMessageBox::No: return TAnswer::No;
  default: return withCancel ? TAnswer::Cancel : TAnswer::No;
  }
}

bool realInput(QWidget* parent, const QString& caption, const QString& prompt, QString& value)
{
  bool ok = false;
  const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
  if (ok)
    value = text;
  return ok;
}

QString realFileName(QWidget* parent, bool save, const QString& dir, const QString& filter,
                     const QString& defaultExt)
{
  QFileDialog dialog(parent, QString(), dir, filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(defaultExt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().first();
}

TUiHooks realHooks()
{
  TUiHooks h;
  h.message = realMessage;
  h.question = realQuestion;
  h.input = realInput;
  h.fileName = realFileName;
  h.execModal = [](QDialog& d) { return d.exec(); };
  h.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  return h;
}

} // namespace

TUiHooks& uiHooks()
{
  static TUiHooks hooks = realHooks();
  return hooks;
}

void resetUiHooks()
{
  uiHooks() = realHooks();
}

int runModal(QDialog& dialog)
{
  return uiHooks().execModal(dialog);
}

void reportException(QWidget* parent, const std::exception_ptr& error)
{
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    // The reader that aborted has already shown its message.
  } catch (const std::exception& e) {
    showMessage(parent, QString::fromUtf8(appstr::UnexpectedError).arg(QString::fromUtf8(e.what())),
                TMessageKind::Error);
  } catch (...) {
    showMessage(parent, QString::fromUtf8(appstr::UnexpectedError).arg(QStringLiteral("?")), TMessageKind::Error);
  }
}

} // namespace sonvela
