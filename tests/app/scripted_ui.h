// Scripted answers for the user-interface hooks: no dialog ever blocks a window test.
#pragma once
#include "app/uihooks.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>

namespace sonvela::test {

// Installs hooks that record every message, question and input box, and answer from the
// queues below. A dialog nobody scripted fails the test and is answered "cancel".
class TScriptedUi {
public:
  TScriptedUi();
  ~TScriptedUi();
  TScriptedUi(const TScriptedUi&) = delete;
  TScriptedUi& operator=(const TScriptedUi&) = delete;

  QStringList messages;
  QStringList questions;
  std::deque<TAnswer> answers;
  QStringList prompts;                       // "caption|prompt" of each input box
  std::deque<std::optional<QString>> inputs; // nullopt cancels the input box
  std::deque<QString> files;                 // "" cancels the file dialog
  QStringList fileDialogs;                   // "open|dir" or "save|dir"
  // Each modal dialog run is shown (pending events processed), then handed to the next
  // handler, which may act on it and returns the dialog's result.
  std::deque<std::function<int(QDialog&)>> modals;
  QStringList modalTitles;
  QList<QUrl> opened;
  bool openResult = true;
};

} // namespace sonvela::test
