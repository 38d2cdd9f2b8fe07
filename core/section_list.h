// The project's list of hall sections, as the project record sees it.
#pragma once
#include "core/binary.h"

#include <memory>

namespace sonvela {

// The project record (core/) owns its sections without knowing their drawing model
// (graphic/). The section list of graphic/ derives from this and is made through the
// factory below, which the programs install at start-up with useGraphicSections().
class TSectionListBase {
public:
  virtual ~TSectionListBase() = default;
  virtual int Count() const = 0;
  // Frees every section.
  virtual void Clear() = 0;
  // The section list record: a signed 32-bit count, then that many section records.
  virtual void SaveToStream(TBinaryWriter& w) const = 0;
  // Empties the list, then reads the record, appending each section.
  virtual void LoadFromStream(TBinaryReader& r) = 0;
};

using TSectionListFactory = std::unique_ptr<TSectionListBase> (*)();

// Installs the factory every new project record uses. Without one, a record gets a list
// that holds no sections and refuses to read a file that has some.
void setSectionListFactory(TSectionListFactory factory);
std::unique_ptr<TSectionListBase> makeSectionList();

} // namespace sonvela
