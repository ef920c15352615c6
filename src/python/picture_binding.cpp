// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of a molecule through the program's picture export.
#include "python/python_bindings.h"
#include "python/python_molecule.h"
#include "python/python_pictures.h"
#include "qt/picture_export.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdlib>
#include <memory>

namespace py = pybind11;

namespace molvane {

namespace {

/// Pictures need fonts, and fonts need a GUI application; a module has no
/// window, so it runs on the offscreen platform unless told otherwise.
void startgraphics() {
  if (QGuiApplication::instance() != nullptr) {
    return;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  static int argc = 1;
  static char name[] = "molvane";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> application =
      std::make_unique<QGuiApplication>(argc, argv);
  // Qt takes the user's locale for the whole process; Python and the
  // program's files need the decimal point.
  std::setlocale(LC_NUMERIC, "C");
}

std::string svgof(tmolecule& molecule, int width, int height) {
  std::optional<std::vector<std::uint8_t>> bytes =
      picturebytes(molecule, "svg", width, height);
  return {bytes->begin(), bytes->end()};
}

py::bytes pngof(tmolecule& molecule, int width, int height) {
  std::optional<std::vector<std::uint8_t>> bytes =
      picturebytes(molecule, "png", width, height);
  return {reinterpret_cast<const char*>(bytes->data()), bytes->size()};
}

}  // namespace

std::optional<std::vector<std::uint8_t>> picturebytes(
    tmolecule& molecule, const std::string& extension, int width, int height) {
  std::optional<tpictureformat> format =
      pictureformatof(std::filesystem::path("picture." + extension));
  if (!format) {
    return std::nullopt;
  }
  if (width < 0 || height < 0 || width > largestpicture ||
      height > largestpicture) {
    throw tmoduleerror("width and height must lie between 0 and " +
                       std::to_string(largestpicture) + " pixels");
  }
  startgraphics();
  tpictureoptions options;
  options.fitwidth = width;
  options.fitheight = height;
  options.antialiased = true;
  std::string error;
  const QByteArray bytes =
      encodepicture(molecule.drawing(), *format, options, error);
  if (!error.empty() || bytes.isEmpty()) {
    throw tmoduleerror(error.empty() ? "the picture could not be made" : error);
  }
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void bindpictures(py::module_& module) {
  py::object molecule = module.attr("Molecule");
  molecule.attr("to_svg") = py::cpp_function(
      &svgof, py::is_method(molecule), py::arg("width") = 0,
      py::arg("height") = 0,
      "The molecule as an SVG picture (text), fitted inside width by height "
      "pixels when they are given.");
  molecule.attr("to_png") = py::cpp_function(
      &pngof, py::is_method(molecule), py::arg("width") = 0,
      py::arg("height") = 0,
      "The molecule as the bytes of a PNG picture, fitted inside width by "
      "height pixels when they are given.");
  molecule.attr("_repr_svg_") = py::cpp_function(
      [](tmolecule& self) -> py::object {
        // A notebook shows the text form instead of an error.
        try {
          return py::str(svgof(self, 0, 0));
        } catch (const tmoduleerror&) {
          return py::none();
        }
      },
      py::is_method(molecule), "The picture a notebook shows.");
}

}  // namespace molvane
