// Little-endian binary records: a bounds-checked reader, a writer, and whole-file I/O.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sonvela {

using Bytes = std::vector<std::uint8_t>;

// Reads a record from a byte span. Every read checks the bytes left first and throws
// EReadError naming the offset, so a truncated or hostile file can neither read past the
// end nor make the program allocate more than the file holds.
class TBinaryReader {
public:
  explicit TBinaryReader(std::span<const std::uint8_t> data) : FData(data) {}

  std::uint8_t ReadByte();
  bool ReadBoolean();
  std::int32_t ReadInt32();
  std::int64_t ReadInt64();
  double ReadDouble();
  float ReadSingle();
  // Counted string: signed 32-bit byte count, then 1251 bytes; returned as UTF-8.
  std::string ReadString();
  // Raw bytes, checked against what remains.
  std::span<const std::uint8_t> ReadBytes(std::size_t n);

  // A count read from the file, checked before anything is allocated for it: negative
  // counts are refused, and count * minItemSize must fit in the bytes left.
  std::size_t CheckCount(std::int32_t count, std::size_t minItemSize, const char* what);

  std::size_t Offset() const { return FPos; }
  std::size_t Remaining() const { return FData.size() - FPos; }
  bool AtEnd() const { return FPos == FData.size(); }
  [[noreturn]] void Fail(const std::string& what) const;
  [[noreturn]] void FailAt(const std::string& what, std::size_t offset) const;

private:
  void Need(std::size_t n, const char* what);
  std::span<const std::uint8_t> FData;
  std::size_t FPos = 0;
};

// Builds a record in memory.
class TBinaryWriter {
public:
  void WriteByte(std::uint8_t v) { FData.push_back(v); }
  void WriteBoolean(bool v) { FData.push_back(v ? 1 : 0); }
  void WriteInt32(std::int32_t v);
  void WriteInt64(std::int64_t v);
  void WriteDouble(double v);
  void WriteSingle(float v);
  // UTF-8 in, counted 1251 string out; the empty string is a zero count.
  void WriteString(std::string_view utf8);
  void WriteBytes(std::span<const std::uint8_t> bytes);

  const Bytes& Data() const { return FData; }
  Bytes& Data() { return FData; }
  std::size_t Size() const { return FData.size(); }

private:
  Bytes FData;
};

// Whole file into memory; throws EReadError (offset 0) when it cannot be opened or read.
Bytes readFileBytes(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it and renames it over the target;
// on any failure the temporary is removed, the old file stays intact and EWriteError is
// thrown.
void writeFileAtomic(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace sonvela
