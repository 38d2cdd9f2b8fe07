// Page breaking: where each band print lands.
#include "report/pagination.h"

#include <gtest/gtest.h>

using namespace sonvela::report;

namespace {

// Items per page, a repeated header shown as its item index too.
std::vector<std::vector<int>> itemsPerPage(const std::vector<TPageLayout>& pages)
{
  std::vector<std::vector<int>> out;
  for (const TPageLayout& page : pages) {
    out.emplace_back();
    for (const TPlacement& p : page) out.back().push_back(p.Item);
  }
  return out;
}

std::vector<TFlowItem> heights(std::initializer_list<double> hs)
{
  std::vector<TFlowItem> flow;
  for (double h : hs) flow.push_back({h});
  return flow;
}

} // namespace

TEST(Paginate, EmptyReportHasOnePage)
{
  const auto pages = paginate({}, 100);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].empty());
}

TEST(Paginate, StacksItemsAndBreaksWhenTheNextDoesNotFit)
{
  const auto pages = paginate(heights({30, 30, 40, 1, 60}), 100);
  EXPECT_EQ(itemsPerPage(pages), (std::vector<std::vector<int>>{{0, 1, 2}, {3, 4}}));
  EXPECT_DOUBLE_EQ(pages[0][2].Top, 60);
  EXPECT_DOUBLE_EQ(pages[1][0].Top, 0);
  EXPECT_DOUBLE_EQ(pages[1][1].Top, 1);
}

TEST(Paginate, ExactFitStaysOnThePageDespiteRounding)
{
  // 0.1 summed ten times is not exactly 1.
  std::vector<TFlowItem> flow(10, TFlowItem{0.1});
  EXPECT_EQ(paginate(flow, 1.0).size(), 1u);
}

TEST(Paginate, ItemTallerThanAPageStandsAloneAndTheFlowGoesOn)
{
  const auto pages = paginate(heights({10, 250, 10}), 100);
  EXPECT_EQ(itemsPerPage(pages), (std::vector<std::vector<int>>{{0}, {1}, {2}}));
}

TEST(Paginate, TitleKeepsWithItsFirstRow)
{
  auto flow = heights({80, 10, 15, 15});
  flow[1].KeepWithNext = true;  // title: 80 + 10 fits, but not with its first row
  const auto pages = paginate(flow, 100);
  EXPECT_EQ(itemsPerPage(pages), (std::vector<std::vector<int>>{{0}, {1, 2, 3}}));
}

TEST(Paginate, KeepChainTallerThanAPageIsBrokenUp)
{
  auto flow = heights({50, 60, 60, 10});
  flow[1].KeepWithNext = true;
  flow[2].KeepWithNext = true;
  const auto pages = paginate(flow, 100);
  // 60 + 60 + 10 never fits anywhere: the title is placed where it fits on its own.
  EXPECT_EQ(itemsPerPage(pages), (std::vector<std::vector<int>>{{0}, {1}, {2, 3}}));
}

TEST(Paginate, TableHeadRepeatsOnEveryPageItsRowsContinue)
{
  std::vector<TFlowItem> flow{{20}, {30, true}};  // text, then the table head
  for (int i = 0; i < 7; ++i) flow.push_back({20, false, 1});
  const auto pages = paginate(flow, 100);
  EXPECT_EQ(itemsPerPage(pages), (std::vector<std::vector<int>>{{0, 1, 2, 3}, {1, 4, 5, 6}, {1, 7, 8}}));
  EXPECT_DOUBLE_EQ(pages[1][1].Top, 30);  // the row sits below the repeated head
}
