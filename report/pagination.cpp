// Page breaking of a report.
#include "report/pagination.h"

namespace sonvela::report {

namespace {

constexpr double Tolerance = 1e-6;  // band heights are sums of doubles

// Height an item needs at the bottom of a page: itself plus the chain of items it keeps
// with, up to and including the first item that does not keep with the next.
double heightKeptTogether(const std::vector<TFlowItem>& flow, std::size_t i)
{
  double h = 0;
  for (std::size_t j = i; j < flow.size(); ++j) {
    h += flow[j].Height;
    if (!flow[j].KeepWithNext) break;
  }
  return h;
}

} // namespace

std::vector<TPageLayout> paginate(const std::vector<TFlowItem>& flow, double areaHeight)
{
  std::vector<TPageLayout> pages(1);
  double y = 0;
  for (std::size_t i = 0; i < flow.size(); ++i) {
    const TFlowItem& item = flow[i];
    if (!pages.back().empty()) {
      double need = heightKeptTogether(flow, i);
      // A chain that cannot fit even on an empty page is broken up rather than pushed on.
      if (need > areaHeight + Tolerance) need = item.Height;
      if (y + need > areaHeight + Tolerance) {
        pages.emplace_back();
        y = 0;
      }
    }
    if (pages.back().empty() && item.RepeatHeader >= 0 && static_cast<std::size_t>(item.RepeatHeader) < i
        && pages.size() > 1) {
      pages.back().push_back({item.RepeatHeader, y});
      y += flow[static_cast<std::size_t>(item.RepeatHeader)].Height;
    }
    pages.back().push_back({static_cast<int>(i), y});
    y += item.Height;
  }
  return pages;
}

} // namespace sonvela::report
