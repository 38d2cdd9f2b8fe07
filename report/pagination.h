// Page breaking of a report: which band print goes on which page, and where.
#pragma once
#include <vector>

namespace sonvela::report {

// One print of a band in the order the report flows, with its final height.
struct TFlowItem {
  double Height = 0;
  // Move to the next page together with the following item rather than end a page alone
  // (a table title without any of its rows).
  bool KeepWithNext = false;
  // Index of an earlier item printed again at the top of a page that this item starts
  // (the column heads of a table that runs over a page break); -1 for none.
  int RepeatHeader = -1;
};

struct TPlacement {
  int Item = 0;    // index into the flow; a repeated header names the header's item
  double Top = 0;  // offset from the top of the page's data area
};

using TPageLayout = std::vector<TPlacement>;

// Fills pages of the given data-area height top to bottom. An item that does not fit on
// a page that already holds something starts a new page; an item taller than a whole
// page stands alone on its page (the painter clips it to the data area). There is always
// at least one page, so an empty report still prints its page frame.
std::vector<TPageLayout> paginate(const std::vector<TFlowItem>& flow, double areaHeight);

} // namespace sonvela::report
