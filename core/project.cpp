// The project file (*.snv): the record's stream operations and whole-file save and load.
#include "core/project.h"

#include "core/errors.h"
#include "core/materials.h"

namespace sonvela {

void TRoom::SaveToStream(TBinaryWriter& w)
{
  w.WriteString(FName);
  w.WriteByte(FHallType);
  w.WriteDouble(FVolume);
  w.WriteDouble(FLength);
  w.WriteDouble(FFloorArea);
  w.WriteInt32(FSeats);
  w.WriteDouble(FEnclosingArea);
  for (double a : FAlpha) w.WriteDouble(a);
  FSaved = true;
  FSections->SaveToStream(w);
  FSurfaces->SaveToStream(w);
}

void TRoom::LoadFromStream(TBinaryReader& r, TMaterialBase& base)
{
  Reset();
  FName = r.ReadString();
  FHallType = r.ReadByte();
  FVolume = r.ReadDouble();
  FLength = r.ReadDouble();
  FFloorArea = r.ReadDouble();
  FSeats = r.ReadInt32();
  FEnclosingArea = r.ReadDouble();
  for (double& a : FAlpha) a = r.ReadDouble();
  FSections->LoadFromStream(r);
  FSurfaces->LoadFromStream(r);
  // Only a record read to its end may add materials to the base.
  FSurfaces->RelinkMaterials(base);
}

Bytes saveProjectToBytes(TRoom& room)
{
  TBinaryWriter w;
  room.SaveToStream(w);
  return std::move(w.Data());
}

void saveProject(TRoom& room, const std::filesystem::path& path)
{
  const bool wasSaved = room.FSaved;
  try {
    const Bytes data = saveProjectToBytes(room);
    writeFileAtomic(path, data);
  } catch (...) {
    room.FSaved = wasSaved;
    throw;
  }
}

std::unique_ptr<TRoom> loadProjectFromBytes(std::span<const std::uint8_t> bytes, TMaterialBase& base)
{
  auto room = std::make_unique<TRoom>();
  TBinaryReader r(bytes);
  room->LoadFromStream(r, base);
  room->FSaved = true;
  return room;
}

std::unique_ptr<TRoom> loadProject(const std::filesystem::path& path, TMaterialBase& base)
{
  const Bytes data = readFileBytes(path);
  auto room = loadProjectFromBytes(data, base);
  room->FFileName = path.string();
  return room;
}

} // namespace sonvela
