// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/settings_file.h"

#include "support/atomic_file.h"
#include "support/text_lines.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

namespace molvane {

namespace {

constexpr std::size_t longestline = 4096;
constexpr std::size_t largestfile = 64 * 1024;

std::optional<std::size_t> numberin(std::string_view text, std::size_t low,
                                    std::size_t high) {
  std::size_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < low ||
      value > high) {
    return std::nullopt;
  }
  return value;
}

/// "X,Y" with both within +-100000 pixels.
std::optional<tpaletteplace> placein(std::string_view text) {
  constexpr int farthest = 100000;
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) {
    return std::nullopt;
  }
  tpaletteplace place;
  for (auto [part, value] :
       {std::pair{trimmed(text.substr(0, comma)), &place.x},
        std::pair{trimmed(text.substr(comma + 1)), &place.y}}) {
    const char* end = part.data() + part.size();
    const auto [stop, error] = std::from_chars(part.data(), end, *value);
    if (part.empty() || error != std::errc() || stop != end ||
        *value < -farthest || *value > farthest) {
      return std::nullopt;
    }
  }
  return place;
}

/// "key=X,Y" and a line break, or nothing for a place not chosen.
std::string placeline(const char* key,
                      const std::optional<tpaletteplace>& place) {
  return place ? key + ("=" + std::to_string(place->x)) + "," +
                     std::to_string(place->y) + "\n"
               : std::string();
}

/// Takes one key's value into settings; the problem with it, or "".
std::string takevalue(std::string_view key, std::string_view value,
                      tsettingsfile& settings) {
  if (key == "undo.steps") {
    const auto steps = numberin(value, 1, 1000);
    if (!steps) {
      return "not a number from 1 to 1000";
    }
    settings.undosteps = *steps;
  } else if (key == "undo.megabytes") {
    const auto megabytes = numberin(value, 1, 8192);
    if (!megabytes) {
      return "not a number from 1 to 8192";
    }
    settings.undomegabytes = *megabytes;
  } else if (key == "optimizer.polish") {
    if (value != "0" && value != "1") {
      return "not 0 or 1";
    }
    settings.polish = value == "1";
  } else if (key == "folder.last") {
    if (value.find('\0') != std::string_view::npos) {
      return "not a folder name";
    }
    settings.lastfolder = std::string(value);
  } else if (key == "palette.views3d" || key == "palette.optimizer") {
    const auto place = placein(value);
    if (!place) {
      return "not two numbers X,Y from -100000 to 100000";
    }
    (key == "palette.views3d" ? settings.views3dplace
                              : settings.optimizerplace) = place;
  }
  return "";
}

}  // namespace

tsettingsread parsesettings(std::string_view text) {
  tsettingsread result;
  const std::vector<std::string_view> lines = splitlines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = trimmed(lines[i]);
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (line.size() > longestline) {
      result.problems.push_back(where + "longer than 4096 bytes");
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      result.problems.push_back(where + std::string(line) + ": no \"=\"");
      continue;
    }
    const std::string problem =
        takevalue(trimmed(line.substr(0, equals)),
                  trimmed(line.substr(equals + 1)), result.settings);
    if (!problem.empty()) {
      result.problems.push_back(where + std::string(line) + ": " + problem);
    }
  }
  return result;
}

std::string settingstext(const tsettingsfile& settings) {
  // A name with a line break would end its line early: it is not kept.
  const bool onelinefolder =
      settings.lastfolder.find_first_of("\r\n") == std::string::npos;
  return "# Molvane 3D settings\n"
         "undo.steps=" +
         std::to_string(settings.undosteps) +
         "\n"
         "undo.megabytes=" +
         std::to_string(settings.undomegabytes) +
         "\n"
         "optimizer.polish=" +
         (settings.polish ? "1" : "0") +
         "\n"
         "folder.last=" +
         (onelinefolder ? settings.lastfolder : std::string()) + "\n" +
         placeline("palette.views3d", settings.views3dplace) +
         placeline("palette.optimizer", settings.optimizerplace);
}

tsettingsread loadsettingsfile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    return {};
  }
  std::vector<std::uint8_t> bytes;
  const std::string problem = readwholefile(path, bytes, largestfile);
  if (!problem.empty()) {
    tsettingsread result;
    result.problems.push_back(problem);
    return result;
  }
  return parsesettings(astext(bytes));
}

std::string savesettingsfile(const std::filesystem::path& path,
                             const tsettingsfile& settings) {
  const std::string text = settingstext(settings);
  return writefileatomically(
      path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace molvane
