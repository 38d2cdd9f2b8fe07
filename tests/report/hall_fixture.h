// Projects for the check report tests.
#pragma once
#include "core/room.h"
#include "core/surfaces.h"

#include <memory>
#include <string>

namespace sonvela::testing {

inline TPovPoglot* addEntry(TRoom& room, const std::string& name, const std::string& material, bool surface,
                            double amount, std::array<double, 6> coef)
{
  auto e = std::make_unique<TPovPoglot>();
  e->FName = name;
  e->FMaterialName = material;
  e->FMaterialFullName = material;
  e->FIsSurface = surface;
  e->FAmount = amount;
  e->FCoef = coef;
  return room.FSurfaces->Add(std::move(e));
}

// A concert hall with `surfaces` of the three surfaces and `pieces` of the two piece
// absorbers (entries alternate between the kinds, as users enter them), checked.
inline std::unique_ptr<TRoom> makeHall(int surfaces, int pieces, const std::string& name = "Концертный зал")
{
  auto room = std::make_unique<TRoom>();
  room->FName = name;
  room->FHallType = 4;
  room->FVolume = 12000;
  room->FLength = 36;
  room->FFloorArea = 900;
  room->FSeats = 1200;
  room->FEnclosingArea = 3800;
  const char* surfaceNames[3] = {"Потолок", "Стены", "Пол"};
  const char* pieceNames[2] = {"Кресла", "Зрители"};
  for (int i = 0; i < std::max(surfaces, pieces); ++i) {
    if (i < surfaces)
      addEntry(*room, surfaceNames[i], std::string("Материал ") + surfaceNames[i], true, 100.5 * (i + 1),
               {0.1 * (i + 1), 0.2, 0.3, 0.4, 0.5, 0.6});
    if (i < pieces)
      addEntry(*room, pieceNames[i], std::string("Поглотитель ") + pieceNames[i], false, 1000 + i,
               {0.25, 0.35, 0.42, 0.46, 0.5, 0.5});
  }
  if (surfaces + pieces > 0) room->CalcAverageAlpha();
  room->Calculate();
  return room;
}

} // namespace sonvela::testing
