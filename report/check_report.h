// The hall check report: its template FrSonvela, the builder that feeds it the project's
// tables, and the report module that runs it.
#pragma once
#include "report/check_variables.h"
#include "report/engine.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace sonvela {
class TRoom;
}

namespace sonvela::report {

inline constexpr QSizeF A4Portrait{mm(210), mm(297)};

using TReportTable = std::vector<TReportRecord>;

// The FrSonvela template, without callbacks. Its page script lays out the drawing frame
// and the title block for the page size and hides the "Объект:" line of a nameless project.
TReport makeCheckReportTemplate();

// Feeds one run of the check report: the project's surface and piece absorber tables and
// the row that the table bands print.
class TReportBuilder {
public:
  TReportBuilder(const TRoom& room, TReport& report);

  // Empties both tables and fills them from the project's surface list, in its order.
  void FillTables();
  // Resets the rows, shows each table (title and rows) only when it has rows, sets the row
  // counts, and prepares the report for the page size.
  TPreparedReport Prepare(QSizeF pageSize = A4Portrait);
  // Prepare, then the preview; returns when the preview is closed.
  void Run(QWidget* parent, const QString& title);

  // Band start: the table bands advance their row.
  void BeginBand(const TBand& band);
  // Values of the current rows (name_table1, freq3_2 ...); other names are left untouched.
  void GetTableValue(const QString& name, QString& value) const;

  const TRoom& FRoom;
  TReportTable FPieceTable;
  TReportTable FSurfaceTable;
  TReport& FReport;
  int FSurfaceRow = -1;
  int FPieceRow = -1;
  std::string FDecimalSeparator = ",";
};

// Holds the report templates; created once at start-up.
class TReportModule {
public:
  TReportModule();
  TReportModule(const TReportModule&) = delete;
  TReportModule& operator=(const TReportModule&) = delete;

  TRoom* FRoom = nullptr;     // the project reported; set before each run
  TReport FrSonvela;
  TReportBuilder* ReportBuilder = nullptr;  // exists while the check report runs
  std::string FDecimalSeparator;            // empty: the user's locale's

  // The check report of FRoom (which must have been checked) in the preview window;
  // returns when the preview is closed. Errors propagate; the project is not changed.
  void RunCheckReport(QWidget* parent);
  // The same report prepared without a window (PDF files, tests).
  TPreparedReport PrepareCheckReport(QSizeF pageSize = A4Portrait);

  void FrSonvelaGetValue(const QString& name, QString& value) const;
  void FrSonvelaBeginBand(const TBand& band);

private:
  template <class F> auto withBuilder(F&& f);
  std::string decimalSeparator() const;
  TVariableMap FVariables;
};

} // namespace sonvela::report
