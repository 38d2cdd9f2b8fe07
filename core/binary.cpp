// Little-endian binary records.
#include "core/binary.h"

#include "core/cp1251.h"
#include "core/errors.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace sonvela {

static_assert(std::endian::native == std::endian::little, "the record code assumes a little-endian host");

void TBinaryReader::Fail(const std::string& what) const
{
  throw EReadError(what, FPos);
}

void TBinaryReader::FailAt(const std::string& what, std::size_t offset) const
{
  throw EReadError(what, offset);
}

void TBinaryReader::Need(std::size_t n, const char* what)
{
  if (Remaining() < n)
    Fail(std::string("Неожиданный конец файла: не хватает байт для ") + what);
}

std::uint8_t TBinaryReader::ReadByte()
{
  Need(1, "байта");
  return FData[FPos++];
}

bool TBinaryReader::ReadBoolean()
{
  Need(1, "логического значения");
  return FData[FPos++] != 0;
}

std::int32_t TBinaryReader::ReadInt32()
{
  Need(4, "целого числа");
  std::int32_t v;
  std::memcpy(&v, FData.data() + FPos, 4);
  FPos += 4;
  return v;
}

std::int64_t TBinaryReader::ReadInt64()
{
  Need(8, "целого числа");
  std::int64_t v;
  std::memcpy(&v, FData.data() + FPos, 8);
  FPos += 8;
  return v;
}

double TBinaryReader::ReadDouble()
{
  Need(8, "вещественного числа");
  double v;
  std::memcpy(&v, FData.data() + FPos, 8);
  FPos += 8;
  return v;
}

float TBinaryReader::ReadSingle()
{
  Need(4, "вещественного числа");
  float v;
  std::memcpy(&v, FData.data() + FPos, 4);
  FPos += 4;
  return v;
}

std::string TBinaryReader::ReadString()
{
  const std::size_t at = FPos;
  const std::int32_t n = ReadInt32();
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) > Remaining())
    FailAt("Длина строки " + std::to_string(n) + " больше остатка файла", at);
  const char* p = reinterpret_cast<const char*>(FData.data() + FPos);
  FPos += static_cast<std::size_t>(n);
  return fromCp1251(std::string_view(p, static_cast<std::size_t>(n)));
}

std::span<const std::uint8_t> TBinaryReader::ReadBytes(std::size_t n)
{
  Need(n, "данных");
  auto s = FData.subspan(FPos, n);
  FPos += n;
  return s;
}

std::size_t TBinaryReader::CheckCount(std::int32_t count, std::size_t minItemSize, const char* what)
{
  const std::size_t at = FPos >= 4 ? FPos - 4 : 0;
  if (count < 0)
    FailAt(std::string("Отрицательное число элементов: ") + what, at);
  const auto n = static_cast<std::size_t>(count);
  if (minItemSize > 0 && n > Remaining() / minItemSize)
    FailAt(std::string("Число элементов больше, чем может вместить файл: ") + what, at);
  return n;
}

void TBinaryWriter::WriteInt32(std::int32_t v)
{
  std::uint8_t b[4];
  std::memcpy(b, &v, 4);
  FData.insert(FData.end(), b, b + 4);
}

void TBinaryWriter::WriteInt64(std::int64_t v)
{
  std::uint8_t b[8];
  std::memcpy(b, &v, 8);
  FData.insert(FData.end(), b, b + 8);
}

void TBinaryWriter::WriteDouble(double v)
{
  std::uint8_t b[8];
  std::memcpy(b, &v, 8);
  FData.insert(FData.end(), b, b + 8);
}

void TBinaryWriter::WriteSingle(float v)
{
  std::uint8_t b[4];
  std::memcpy(b, &v, 4);
  FData.insert(FData.end(), b, b + 4);
}

void TBinaryWriter::WriteString(std::string_view utf8)
{
  const std::string bytes = toCp1251(utf8);
  WriteInt32(static_cast<std::int32_t>(bytes.size()));
  FData.insert(FData.end(), bytes.begin(), bytes.end());
}

void TBinaryWriter::WriteBytes(std::span<const std::uint8_t> bytes)
{
  FData.insert(FData.end(), bytes.begin(), bytes.end());
}

Bytes readFileBytes(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EReadError("Не удается открыть файл " + path.string(), 0);
  Bytes data;
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  if (size < 0) throw EReadError("Не удается прочитать файл " + path.string(), 0);
  in.seekg(0, std::ios::beg);
  data.resize(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
    throw EReadError("Не удается прочитать файл " + path.string(), 0);
  return data;
}

void writeFileAtomic(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
  namespace fs = std::filesystem;
  fs::path tmp = path;
  tmp += ".tmp~";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f)
    throw EWriteError("Не удается создать файл " + tmp.string() + ": " + std::strerror(errno));
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = ::fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) fs::rename(tmp, path, ec);
  if (!ok || ec) {
    const std::string why = ec ? ec.message() : std::string(std::strerror(errno));
    fs::remove(tmp, ec);
    throw EWriteError("Не удается записать файл " + path.string() + ": " + why);
  }
}

} // namespace sonvela
