// The project file (*.snv): whole-file save and load of the project record.
#pragma once
#include "core/room.h"

#include <filesystem>
#include <memory>

namespace sonvela {

class TMaterialBase;

// Writes the project atomically (temporary file beside the target, then rename) and marks
// it saved. On failure throws EWriteError; the old file stays intact and the record keeps
// its unsaved mark. The record's FFileName is left to the caller.
void saveProject(TRoom& room, const std::filesystem::path& path);

// Reads a project into a fresh record and returns it only when the whole file was read,
// with FFileName set to `path` and the saved mark on. A failure throws EReadError naming
// the byte offset; the caller's current project and `base` are untouched then. Entries
// naming materials the base lacks add them to `base` (only on success).
std::unique_ptr<TRoom> loadProject(const std::filesystem::path& path, TMaterialBase& base);

// The same on bytes already in memory.
std::unique_ptr<TRoom> loadProjectFromBytes(std::span<const std::uint8_t> bytes, TMaterialBase& base);
Bytes saveProjectToBytes(TRoom& room);

} // namespace sonvela
