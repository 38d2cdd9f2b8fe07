// The first-reflection calculation on a large generated hall: the production search and the
// plain implementation of the same rules.
#include "graphic/construction.h"
#include "graphic/reflections_reference.h"
#include "graphic/section_generator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace sonvela;

struct THall {
  TConstruction Section;
  int WallSegments = 0;
  int Lines = 0;

  THall()
  {
    testing::buildHall(Section);
    for (const TElement* e : Section.FElements.Items()) {
      if (auto* wall = dynamic_cast<const TWallPolyLine*>(e)) WallSegments += wall->NodeCount() - 1;
      Lines += dynamic_cast<const TSpectatorLine*>(e) != nullptr;
    }
  }
};

THall& hall()
{
  static THall h;
  return h;
}

void counters(benchmark::State& state)
{
  state.counters["lines"] = hall().Lines;
  state.counters["wall_segments"] = hall().WallSegments;
}

void BM_CalcReflections(benchmark::State& state)
{
  TConstruction& section = hall().Section;
  for (auto _ : state) {
    section.FElements.CalcReflections();
    benchmark::DoNotOptimize(section.FReflectorsLargeEnough);
  }
  counters(state);
}
BENCHMARK(BM_CalcReflections)->Unit(benchmark::kMillisecond);

void BM_ReferenceReflections(benchmark::State& state)
{
  const TConstruction& section = hall().Section;
  for (auto _ : state) {
    auto result = testing::referenceReflections(section);
    benchmark::DoNotOptimize(result);
  }
  counters(state);
}
BENCHMARK(BM_ReferenceReflections)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
