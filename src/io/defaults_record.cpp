// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/defaults_record.h"

#include "support/atomic_file.h"

#include <algorithm>
#include <vector>

namespace molvane {

namespace {

constexpr std::size_t fontoffset = 6;
constexpr std::size_t spacingoffset = 56;
constexpr std::size_t hstepoffset = 58;
constexpr std::size_t vstepoffset = 60;
constexpr std::size_t nmroffset = 62;
constexpr std::size_t displayoffset = 63;
constexpr std::size_t reservedoffset = 64;
constexpr std::size_t folderoffset = 67;
constexpr std::size_t foldersize = 145;
constexpr std::size_t folder2offset = 212;
constexpr std::size_t folder2size = 290;
constexpr std::size_t longestfolder = 143;

void putword(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint16_t getword(std::span<const std::uint8_t> in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

void putstring(std::span<std::uint8_t> out, std::size_t at, std::size_t size,
               const std::string& text) {
  const std::size_t n = std::min(text.size(), size - 1);
  std::copy_n(text.begin(), n, out.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string getstring(std::span<const std::uint8_t> in, std::size_t at,
                      std::size_t size) {
  std::string text;
  for (std::size_t i = at; i < at + size && in[i] != 0; ++i) {
    text.push_back(static_cast<char>(in[i]));
  }
  return text;
}

}  // namespace

std::array<std::uint8_t, defaultsrecordsize> tdefaultsrecord::tobytes() const {
  std::array<std::uint8_t, defaultsrecordsize> out{};
  putword(out, 0, version);
  putword(out, 2, bondlength);
  out[4] = saveonclose;
  out[5] = linewidthcode;
  const auto font = labelfont.tobytes();
  std::copy(font.begin(), font.end(), out.begin() + fontoffset);
  putword(out, spacingoffset, doublebondspacing);
  putword(out, hstepoffset, horizontalstep);
  putword(out, vstepoffset, verticalstep);
  out[nmroffset] = nmrnucleus;
  out[displayoffset] = displayflags;
  std::copy(reserved.begin(), reserved.end(), out.begin() + reservedoffset);
  putstring(out, folderoffset, foldersize, folder.substr(0, longestfolder));
  putstring(out, folder2offset, folder2size, folder2.substr(0, longestfolder));
  return out;
}

bool tdefaultsrecord::frombytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != defaultsrecordsize) {
    return false;
  }
  // A zero bond length would divide the global scale by zero, and the line
  // width code indexes a table of four widths.
  if (getword(bytes, 2) == 0 || bytes[5] > 3) {
    return false;
  }
  version = getword(bytes, 0);
  bondlength = getword(bytes, 2);
  saveonclose = bytes[4];
  linewidthcode = bytes[5];
  labelfont = fontrecord::frombytes(
      bytes.subspan<fontoffset, fontrecord::recordsize>());
  doublebondspacing = getword(bytes, spacingoffset);
  horizontalstep = getword(bytes, hstepoffset);
  verticalstep = getword(bytes, vstepoffset);
  nmrnucleus = bytes[nmroffset];
  displayflags = bytes[displayoffset];
  std::copy_n(bytes.begin() + reservedoffset, reserved.size(),
              reserved.begin());
  folder = getstring(bytes, folderoffset, foldersize);
  folder2 = getstring(bytes, folder2offset, folder2size);
  return true;
}

tdefaultsrecord tdefaultsrecord::standard(const std::string& folder) {
  tdefaultsrecord record;
  record.folder = folder.substr(0, longestfolder);
  record.folder2 = record.folder;
  // A fresh program colours heteroatom labels; an old record whose byte is
  // still 0 keeps the plain labels it was saved with.
  record.displayflags = colourlabelsflag;
  return record;
}

void tdefaultsrecord::applyto(tsettings& settings) const {
  settings.version = version;
  settings.bondlength = bondlength;
  settings.saveonclose = saveonclose != 0;
  settings.linewidthcode = linewidthcode;
  settings.labelfont = labelfont;
  // Only the low byte of the spacing word counts.
  settings.doublebondspacing = doublebondspacing & 0xFF;
  settings.horizontalstep = horizontalstep;
  settings.verticalstep = verticalstep;
  settings.nmrnucleus = nmrnucleus;
  settings.colourlabels = (displayflags & colourlabelsflag) != 0;
  settings.smoothscreen = (displayflags & plainscreenflag) == 0;
}

void tdefaultsrecord::takefrom(const tsettings& settings) {
  bondlength = settings.bondlength;
  saveonclose = settings.saveonclose ? 1 : 0;
  linewidthcode = settings.linewidthcode;
  labelfont = settings.labelfont;
  doublebondspacing = static_cast<std::uint16_t>(
      (doublebondspacing & 0xFF00) | (settings.doublebondspacing & 0xFF));
  horizontalstep = settings.horizontalstep;
  verticalstep = settings.verticalstep;
  nmrnucleus = settings.nmrnucleus;
  displayflags = static_cast<std::uint8_t>(
      (displayflags & ~(colourlabelsflag | plainscreenflag)) |
      (settings.colourlabels ? colourlabelsflag : 0) |
      (settings.smoothscreen ? 0 : plainscreenflag));
}

std::string savedefaults(const std::filesystem::path& folder,
                         const tdefaultsrecord& record) {
  const auto bytes = record.tobytes();
  return writefileatomically(folder / defaultsfilename, bytes);
}

tdefaultsload loaddefaults(const std::filesystem::path& folder) {
  tdefaultsload result;
  std::vector<std::uint8_t> bytes;
  const std::string error =
      readwholefile(folder / defaultsfilename, bytes, defaultsrecordsize);
  if (error.empty() && result.record.frombytes(bytes)) {
    return result;
  }
  result.record = tdefaultsrecord::standard(folder.string());
  result.created = true;
  result.error = savedefaults(folder, result.record);
  return result;
}

}  // namespace molvane
