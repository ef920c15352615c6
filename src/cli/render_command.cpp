// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/render_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "model/number_text.h"
#include "qt/picture_export.h"

#include <utility>

namespace molvane {

namespace {

constexpr const char* usage =
    "usage: render IN OUT [--mode N] [--width W --height H] [--antialias]";

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
  std::optional<long> width;
  std::optional<long> height;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasvalue = i + 1 < arguments.size();
    if (argument == "--antialias") {
      request.picture.antialiased = true;
    } else if (argument == "--mode" || argument == "--width" ||
               argument == "--height") {
      const std::optional<long> value =
          hasvalue ? parseinteger(arguments[i + 1]) : std::nullopt;
      if (!value) {
        return {request, argument + " needs a whole number\n" + usage};
      }
      ++i;
      if (argument == "--mode") {
        if (!isdrawmode(*value)) {
          return {request, "--mode " + arguments[i] +
                               ": draw modes are 0 to 20 and 100 to 120"};
        }
        request.mode = static_cast<int>(*value);
      } else if (*value < 1 || *value > largestpicture) {
        return {request, argument + " " + arguments[i] + ": give 1 to " +
                             std::to_string(largestpicture) + " pixels"};
      } else {
        (argument == "--width" ? width : height) = *value;
      }
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.size() != 2 || width.has_value() != height.has_value()) {
    return {request, usage};
  }
  request.input = paths[0];
  request.output = paths[1];
  if (width) {
    request.picture.windowwidth = static_cast<int>(*width);
    request.picture.windowheight = static_cast<int>(*height);
  }
  if (!pictureformatof(request.output)) {
    return {request, "\"" + request.output +
                         "\": pictures are .bmp, .jpg, .png or .svg files"};
  }
  return {request, ""};
}

}  // namespace

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
                                           const std::filesystem::path& path) {
  if (!pictureformatof(path)) {
    return std::nullopt;
  }
  return exportpicture(drawing, path);
}

}  // namespace molvane
