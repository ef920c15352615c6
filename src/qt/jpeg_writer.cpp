// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/jpeg_writer.h"

#include <QImage>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace molvane {

namespace {

/// libjpeg reports errors through a callback that must not return; it
/// jumps back into compress, which owns no C++ objects past its setjmp.
struct terrorhandler {
  jpeg_error_mgr manager;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

void jumpback(j_common_ptr info) {
  auto* handler = reinterpret_cast<terrorhandler*>(info->err);
  (*info->err->format_message)(info, handler->message);
  std::longjmp(handler->back, 1);
}

/// Where the compressed bytes go; libjpeg allocates the buffer with malloc.
struct toutput {
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
};

/// Compresses rows of packed RGB; false with message set on failure.
bool compress(const unsigned char* rgb, int width, int height, int quality,
              toutput& output, terrorhandler& handler) {
  jpeg_compress_struct info{};
  info.err = jpeg_std_error(&handler.manager);
  handler.manager.error_exit = jumpback;
  if (setjmp(handler.back) != 0) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &output.buffer, &output.size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<unsigned char*>(rgb + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> encodejpeg(const QImage& image, int quality,
                                     std::string& error) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    error = "the picture is empty";
    return {};
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  // Rows of a QImage are padded to 4 bytes; libjpeg wants them packed.
  const auto stride = static_cast<std::size_t>(rgb.width()) * 3;
  std::vector<unsigned char> packed(stride *
                                    static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    std::copy_n(rgb.constScanLine(y), stride,
                packed.begin() + static_cast<std::ptrdiff_t>(
                                     stride * static_cast<std::size_t>(y)));
  }
  toutput output;
  terrorhandler handler{};
  const bool done = compress(packed.data(), rgb.width(), rgb.height(),
                             std::clamp(quality, 1, 100), output, handler);
  std::vector<std::uint8_t> bytes;
  if (done && output.buffer != nullptr) {
    bytes.assign(output.buffer, output.buffer + output.size);
  } else {
    error = std::string("JPEG compression failed: ") + handler.message;
  }
  std::free(output.buffer);
  return bytes;
}

}  // namespace molvane
