// The starter materials base, built from its readable table, and the example project built on it.
#pragma once
#include <memory>
#include <string_view>

namespace sonvela {

class TMaterialBase;
class TRoom;

// Adds the materials of the table (resources/materials.tsv) to the base, creating the group
// nodes of their paths. Throws EError naming the line of a malformed entry.
void buildStarterBase(std::string_view table, TMaterialBase& base);

// The example hall: a small chamber concert hall with three surfaces and two piece absorbers
// chosen from the starter base, and the average coefficients computed from them.
std::unique_ptr<TRoom> buildExampleHall(TMaterialBase& base);

} // namespace sonvela
