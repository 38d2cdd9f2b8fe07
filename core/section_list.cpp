// The project's list of hall sections, as the project record sees it.
#include "core/section_list.h"

#include "core/errors.h"

namespace sonvela {

namespace {

// Stands in when no drawing model is linked: always empty.
class TNoSectionList final : public TSectionListBase {
public:
  int Count() const override { return 0; }
  void Clear() override {}
  void SaveToStream(TBinaryWriter& w) const override { w.WriteInt32(0); }
  void LoadFromStream(TBinaryReader& r) override
  {
    const std::size_t at = r.Offset();
    if (r.ReadInt32() != 0) r.FailAt("Разрезы зала в этой программе не поддерживаются", at);
  }
};

std::unique_ptr<TSectionListBase> makeNoSectionList() { return std::make_unique<TNoSectionList>(); }

TSectionListFactory gFactory = &makeNoSectionList;

} // namespace

void setSectionListFactory(TSectionListFactory factory)
{
  gFactory = factory ? factory : &makeNoSectionList;
}

std::unique_ptr<TSectionListBase> makeSectionList()
{
  return gFactory();
}

} // namespace sonvela
