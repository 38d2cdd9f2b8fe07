// Scripted answers for the user-interface hooks.
#include "scripted_ui.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace sonvela::test {

TScriptedUi::TScriptedUi()
{
  TUiHooks& h = uiHooks();
  h.message = [this](QWidget*, const QString& text, TMessageKind) { messages << text; };
  h.question = [this](QWidget*, const QString& text, bool withCancel) {
    questions << text;
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text.toStdString();
      return withCancel ? TAnswer::Cancel : TAnswer::No;
    }
    const TAnswer a = answers.front();
    answers.pop_front();
    return a;
  };
  h.input = [this](QWidget*, const QString& caption, const QString& prompt, QString& value) {
    prompts << caption + "|" + prompt;
    if (inputs.empty()) {
      ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
      return false;
    }
    const std::optional<QString> a = inputs.front();
    inputs.pop_front();
    if (!a)
      return false;
    value = *a;
    return true;
  };
  h.fileName = [this](QWidget*, bool save, const QString& dir, const QString&, const QString&) {
    fileDialogs << QString(save ? "save|" : "open|") + dir;
    if (files.empty()) {
      ADD_FAILURE() << "unexpected file dialog";
      return QString();
    }
    const QString f = files.front();
    files.pop_front();
    return f;
  };
  h.execModal = [this](QDialog& d) {
    modalTitles << d.windowTitle();
    if (modals.empty()) {
      ADD_FAILURE() << "unexpected modal dialog: " << d.windowTitle().toStdString();
      d.done(QDialog::Rejected);
      return int(QDialog::Rejected);
    }
    auto handler = std::move(modals.front());
    modals.pop_front();
    // Shown as a modal run shows it, so what the dialog does on showing happens first.
    d.show();
    QCoreApplication::processEvents();
    const int result = handler(d);
    d.hide();
    return result;
  };
  h.openUrl = [this](const QUrl& url) {
    opened << url;
    return openResult;
  };
}

TScriptedUi::~TScriptedUi()
{
  resetUiHooks();
}

} // namespace sonvela::test
