// The preview window of a report: zoom, page set-up, printing and saving as PDF.
#pragma once
#include "report/engine.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>
#include <optional>

class QAction;

namespace sonvela::report {

// Prepares the report for a page size in report units (the page set-up may change it).
using TPrepareReport = std::function<TPreparedReport(QSizeF pageSize)>;

namespace detail {
// Owns the printer, which the preview dialog needs before it is built.
struct TPrinterHolder {
  QPrinter FPrinter{QPrinter::HighResolution};
};
} // namespace detail

class TReportPreview : private detail::TPrinterHolder, public QPrintPreviewDialog {
public:
  TReportPreview(QWidget* parent, const QString& title, TPrepareReport prepare);

  QAction* savePdfAction() const { return FSavePdf; }
  // Writes the pages as last prepared; a failure shows an error message and returns false.
  bool savePdf(const QString& path);
  // The pages for the printer's current paper, prepared again when the paper changed.
  const TPreparedReport& pages();

  // How the preview asks for a file name and shows errors; replaceable in tests.
  static std::function<QString(QWidget*, const QString& suggested)> AskPdfFileName;
  static std::function<void(QWidget*, const QString& message)> ShowError;
  // Runs the preview for showReportPreview: modally, until it is closed.
  static std::function<void(TReportPreview&)> Exec;

private:
  void paintPages(QPrinter* printer);
  void savePdfClicked();

  QString FTitle;
  TPrepareReport FPrepare;
  std::optional<TPreparedReport> FPages;
  QAction* FSavePdf = nullptr;
};

// Shows the preview modally; returns when it is closed.
void showReportPreview(QWidget* parent, const QString& title, TPrepareReport prepare);

} // namespace sonvela::report
