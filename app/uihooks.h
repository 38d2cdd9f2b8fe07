// Message boxes, questions, input boxes, file dialogs and modal runs, behind replaceable hooks.
#pragma once
#include "core/errors.h"

#include <QString>
#include <QUrl>
#include <exception>
#include <functional>

class QDialog;
class QWidget;

namespace sonvela {

enum class TAnswer { Yes, No, Cancel };
enum class TMessageKind { Information, Warning, Error };

// Every window reaches the user through these hooks. The defaults show real Qt dialogs;
// tests replace them with scripted answers so no dialog ever blocks a test.
struct TUiHooks {
  std::function<void(QWidget* parent, const QString& text, TMessageKind kind)> message;
  // Caption "Sonvela '2011", question icon; Yes/No or Yes/No/Cancel.
  std::function<TAnswer(QWidget* parent, const QString& text, bool withCancel)> question;
  // An input box; returns false on cancel.
  std::function<bool(QWidget* parent, const QString& caption, const QString& prompt, QString& value)> input;
  // A file dialog; an empty result means cancelled.
  std::function<QString(QWidget* parent, bool save, const QString& dir, const QString& filter,
                        const QString& defaultExt)> fileName;
  // Runs a dialog modally and returns its result code.
  std::function<int(QDialog& dialog)> execModal;
  // Opens a document, a web page or a mail link with the desktop's default program.
  std::function<bool(const QUrl& url)> openUrl;
};

TUiHooks& uiHooks();
void resetUiHooks();

inline void showMessage(QWidget* parent, const QString& text, TMessageKind kind = TMessageKind::Information)
{
  uiHooks().message(parent, text, kind);
}
inline TAnswer askQuestion(QWidget* parent, const QString& text, bool withCancel)
{
  return uiHooks().question(parent, text, withCancel);
}
inline bool inputQuery(QWidget* parent, const QString& caption, const QString& prompt, QString& value)
{
  return uiHooks().input(parent, caption, prompt, value);
}
int runModal(QDialog& dialog);

// Runs a user operation from a Qt slot: an abort (the user was already told) ends it
// silently, any other error is shown in the general error box. No exception leaves.
void reportException(QWidget* parent, const std::exception_ptr& error);
template <class F> void guarded(QWidget* parent, F&& operation)
{
  try {
    operation();
  } catch (...) {
    reportException(parent, std::current_exception());
  }
}

} // namespace sonvela
