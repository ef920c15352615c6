// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/render_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "qt/picture_export.h"
#include "support/number_text.h"

#include <utility>

namespace molvane {

namespace {

constexpr const char* usage =
    "usage: render IN OUT [--mode N] [--width W] [--height H] [--scale F] "
    "[--dpi N] [--colour] [--antialias]";

/// The largest --scale, and the print resolutions --dpi takes.
constexpr double largestscale = 100.0;
constexpr long fewestdots = 10;
constexpr long mostdots = 4800;

struct trenderrequest {
  std::string input;
  std::string output;
  int mode = 0;
  tpictureoptions picture;
};

bool isdrawmode(long mode) {
  return (mode >= 0 && mode <= 20) || (mode >= 100 && mode <= 120);
}

/// The request, or an error text.
std::pair<trenderrequest, std::string> parse(
    const std::vector<std::string>& arguments) {
  trenderrequest request;
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string error;
    if (readpictureoption(arguments, i, request.picture, error)) {
      if (!error.empty()) {
        return {request, error};
      }
    } else if (argument == "--mode") {
      const std::optional<long> value = i + 1 < arguments.size()
                                            ? parseinteger(arguments[i + 1])
                                            : std::nullopt;
      if (!value) {
        return {request, argument + " needs a whole number\n" + usage};
      }
      ++i;
      if (!isdrawmode(*value)) {
        return {request, "--mode " + arguments[i] +
                             ": draw modes are 0 to 20 and 100 to 120"};
      }
      request.mode = static_cast<int>(*value);
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.size() != 2) {
    return {request, usage};
  }
  if (std::string clash = picturesizeclash(request.picture); !clash.empty()) {
    return {request, clash};
  }
  request.input = paths[0];
  request.output = paths[1];
  if (!pictureformatof(request.output)) {
    return {request, "\"" + request.output +
                         "\": pictures are .bmp, .jpg, .png or .svg files"};
  }
  return {request, ""};
}

}  // namespace

bool readpictureoption(const std::vector<std::string>& arguments,
                       std::size_t& i, tpictureoptions& options,
                       std::string& error) {
  const std::string& argument = arguments[i];
  if (argument == "--antialias" || argument == "--colour") {
    (argument == "--antialias" ? options.antialiased
                               : options.colourbyelement) = true;
    return true;
  }
  if (argument != "--width" && argument != "--height" &&
      argument != "--scale" && argument != "--dpi") {
    return false;
  }
  const bool real = argument == "--scale";
  const std::string value = i + 1 < arguments.size() ? arguments[i + 1] : "";
  if (i + 1 < arguments.size()) {
    ++i;
  }
  if (real) {
    const std::optional<double> scale = parsereal(value);
    if (!scale || !(*scale > 0.0 && *scale <= largestscale)) {
      error = "--scale " + value + ": give a number above 0 and up to " +
              std::to_string(static_cast<int>(largestscale));
    } else {
      options.scale = *scale;
    }
  } else {
    const std::optional<long> number = parseinteger(value);
    const bool dots = argument == "--dpi";
    const long lowest = dots ? fewestdots : 1;
    const long highest = dots ? mostdots : largestpicture;
    if (!number || *number < lowest || *number > highest) {
      error = argument + " " + value + ": give " + std::to_string(lowest) +
              " to " + std::to_string(highest) +
              (dots ? " dots per inch" : " pixels");
    } else if (dots) {
      options.dpi = static_cast<int>(*number);
    } else {
      (argument == "--width" ? options.fitwidth : options.fitheight) =
          static_cast<int>(*number);
    }
  }
  return true;
}

std::string picturesizeclash(const tpictureoptions& options) {
  if ((options.fitwidth > 0 || options.fitheight > 0) && options.scale != 1.0) {
    return "give --scale or --width and --height, not both";
  }
  return "";
}

tclioutcome rendercommand(const tclioptions& options,
                          const std::vector<std::string>& arguments) {
  auto [request, problem] = parse(arguments);
  if (!problem.empty()) {
    return failure(problem);
  }
  if (std::string unread = openinput(request.input); !unread.empty()) {
    return failure(unread);
  }
  tdrawing* drawing = session().drawing();
  drawing->drawmode = static_cast<std::uint8_t>(request.mode);
  const std::string written =
      exportpicture(*drawing, request.output, request.picture);
  if (!written.empty()) {
    return failure(written);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", request.input);
    json.addtext("output", request.output);
    json.addinteger("mode", request.mode);
    return {0, json.text() + "\n", ""};
  }
  return {0, "Wrote " + request.output + "\n", ""};
}

std::optional<std::string> exportifpicture(tdrawing& drawing,
                                           const std::filesystem::path& path,
                                           const tpictureoptions& options) {
  if (!pictureformatof(path)) {
    return std::nullopt;
  }
  return exportpicture(drawing, path, options);
}

}  // namespace molvane
