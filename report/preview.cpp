// The preview window of a report.
#include "report/preview.h"

#include "core/errors.h"
#include "report/strings.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QToolBar>

namespace sonvela::report {

namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

// The paper of the printer in report units, as the page set-up left it.
QSizeF paperSize(const QPrinter& printer)
{
  return printer.pageLayout().fullRectPoints().size() * (UnitsPerInch / 72.0);
}

bool sameSize(QSizeF a, QSizeF b) { return std::abs(a.width() - b.width()) < 0.5 && std::abs(a.height() - b.height()) < 0.5; }

} // namespace

std::function<QString(QWidget*, const QString&)> TReportPreview::AskPdfFileName =
    [](QWidget* w, const QString& suggested) {
      return QFileDialog::getSaveFileName(w, qs(str::SavePdfDialog), suggested, qs(str::PdfFilter));
    };

std::function<void(QWidget*, const QString&)> TReportPreview::ShowError = [](QWidget* w, const QString& message) {
  QMessageBox::critical(w, qs(str::ErrorCaption), message);
};

std::function<void(TReportPreview&)> TReportPreview::Exec = [](TReportPreview& preview) { preview.exec(); };

TReportPreview::TReportPreview(QWidget* parent, const QString& title, TPrepareReport prepare)
    : QPrintPreviewDialog(&FPrinter, parent), FTitle(title), FPrepare(std::move(prepare))
{
  setWindowTitle(title.isEmpty() ? qs(str::PreviewCaption) : qs(str::PreviewCaption) + QStringLiteral(" — ") + title);
  FPrinter.setFullPage(true);
  FPrinter.setDocName(title);
  FPrinter.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  const TPreparedReport& first = pages();
  if (first.pageSize().width() > first.pageSize().height()) FPrinter.setPageOrientation(QPageLayout::Landscape);

  FSavePdf = new QAction(qs(str::SavePdf), this);
  FSavePdf->setToolTip(qs(str::SavePdfHint));
  connect(FSavePdf, &QAction::triggered, this, &TReportPreview::savePdfClicked);
  if (auto* bar = findChild<QToolBar*>()) {
    bar->addSeparator();
    bar->addAction(FSavePdf);
  } else {
    addAction(FSavePdf);
  }
  connect(this, &QPrintPreviewDialog::paintRequested, this, &TReportPreview::paintPages);
}

const TPreparedReport& TReportPreview::pages()
{
  const QSizeF paper = paperSize(FPrinter);
  if (!FPages || !sameSize(FPages->pageSize(), paper)) FPages = FPrepare(paper);
  return *FPages;
}

void TReportPreview::paintPages(QPrinter* printer)
{
  // No exception may leave a Qt slot: a failure ends the painting with a message.
  try {
    const TPreparedReport& prepared = pages();
    QPainter painter;
    if (!painter.begin(printer)) return;
    for (int n = 0; n < prepared.pageCount(); ++n) {
      if (n > 0) printer->newPage();
      prepared.paintPage(n, painter);
    }
    painter.end();
  } catch (const std::exception& e) {
    if (ShowError) ShowError(this, QString::fromStdString(e.what()));
  }
}

bool TReportPreview::savePdf(const QString& path)
{
  try {
    writePdf(pages(), path, FTitle);
    return true;
  } catch (const std::exception& e) {
    if (ShowError) ShowError(this, QString::fromStdString(e.what()));
    return false;
  }
}

void TReportPreview::savePdfClicked()
{
  const QString suggested = (FTitle.isEmpty() ? QStringLiteral("report") : FTitle) + QStringLiteral(".pdf");
  QString path = AskPdfFileName ? AskPdfFileName(this, suggested) : QString();
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  savePdf(path);
}

void showReportPreview(QWidget* parent, const QString& title, TPrepareReport prepare)
{
  TReportPreview preview(parent, title, std::move(prepare));
  TReportPreview::Exec(preview);
}

} // namespace sonvela::report
