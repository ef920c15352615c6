// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

namespace molvane {

namespace {

std::string errortext(const std::string& action,
                      const std::filesystem::path& path, int error) {
  return action + " \"" + path.string() +
         "\": " + std::generic_category().message(error);
}

/// Owns a file descriptor and closes it when it goes out of scope.
class tfiledescriptor {
 public:
  explicit tfiledescriptor(int descriptor) : descriptor_(descriptor) {}
  tfiledescriptor(const tfiledescriptor&) = delete;
  tfiledescriptor& operator=(const tfiledescriptor&) = delete;
  ~tfiledescriptor() {
    if (descriptor_ >= 0) {
      ::close(descriptor_);
    }
  }
  int get() const { return descriptor_; }
  /// Closes now and returns 0, or the errno of a failed close (which may
  /// report a delayed write error).
  int close() {
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int descriptor_;
};

/// Opens a new file beside target under a name no other save uses, so
/// concurrent saves never share a temporary file.
int createtemporary(const std::filesystem::path& folder,
                    std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (".molvane3d-save-" + std::to_string(::getpid()) +
                          "-" + std::to_string(counter++) + ".tmp");
    const int descriptor = ::open(
        temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) {
      return descriptor;
    }
  }
  errno = EEXIST;
  return -1;
}

/// 0, or the errno of the failed write.
int writeall(int descriptor, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return 0;
}

/// Makes the rename itself durable. Some file systems cannot sync a folder;
/// the file's own content is already on disk then, so this is best effort.
void syncfolder(const std::filesystem::path& folder) {
  const int descriptor =
      ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor >= 0) {
    ::fsync(descriptor);
    ::close(descriptor);
  }
}

}  // namespace

tatomicwriter::tatomicwriter(const std::filesystem::path& target)
    : target_(target), destination_(target) {
  std::error_code ignored;
  if (std::filesystem::is_symlink(target, ignored)) {
    // Renaming over the link would replace the link itself.
    const auto resolved = std::filesystem::canonical(target, ignored);
    if (!ignored) {
      destination_ = resolved;
    }
  }
  folder_ = destination_.parent_path();
  if (folder_.empty()) {
    folder_ = ".";
  }
  descriptor_ = createtemporary(folder_, temporary_);
  if (descriptor_ < 0) {
    error_ = errortext("Cannot create a file beside", target_, errno);
    return;
  }
  struct stat previous {};
  if (::stat(destination_.c_str(), &previous) == 0 &&
      S_ISREG(previous.st_mode)) {
    ::fchmod(descriptor_, previous.st_mode & 07777);
  }
}

tatomicwriter::~tatomicwriter() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

void tatomicwriter::write(std::span<const std::uint8_t> bytes) {
  if (!error_.empty()) {
    return;
  }
  if (const int error = writeall(descriptor_, bytes); error != 0) {
    error_ = errortext("Cannot write", target_, error);
  }
}

std::string tatomicwriter::commit() {
  if (descriptor_ < 0) {
    return error_;
  }
  tfiledescriptor file(descriptor_);
  descriptor_ = -1;
  std::error_code ignored;
  const auto fail = [&](std::string text) {
    std::filesystem::remove(temporary_, ignored);
    return text;
  };
  if (!error_.empty()) {
    file.close();
    return fail(error_);
  }
  if (::fsync(file.get()) != 0) {
    const int error = errno;
    file.close();
    return fail(errortext("Cannot write", target_, error));
  }
  if (const int error = file.close(); error != 0) {
    return fail(errortext("Cannot write", target_, error));
  }
  if (::rename(temporary_.c_str(), destination_.c_str()) != 0) {
    return fail(errortext("Cannot replace", target_, errno));
  }
  syncfolder(folder_);
  return {};
}

std::string writefileatomically(const std::filesystem::path& target,
                                std::span<const std::uint8_t> bytes) {
  tatomicwriter writer(target);
  writer.write(bytes);
  return writer.commit();
}

std::string readwholefile(const std::filesystem::path& path,
                          std::vector<std::uint8_t>& out,
                          std::size_t maxbytes) {
  out.clear();
  tfiledescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    return errortext("Cannot open", path, errno);
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    return errortext("Cannot read", path, errno);
  }
  const auto toolarge = [&] {
    out = {};
    return "File \"" + path.string() + "\" is larger than " +
           std::to_string(maxbytes) + " bytes";
  };
  // st_size is 0 for pipes and some special files, so the loop below still
  // enforces the limit while reading.
  if (S_ISREG(status.st_mode)) {
    if (static_cast<std::uintmax_t>(status.st_size) > maxbytes) {
      return toolarge();
    }
    out.reserve(static_cast<std::size_t>(status.st_size));
  }
  constexpr std::size_t chunksize = 65536;
  for (;;) {
    const std::size_t start = out.size();
    // Asking for one byte beyond the limit tells a file of exactly maxbytes
    // from a longer one.
    const std::size_t room = maxbytes - start;
    const std::size_t wanted = room >= chunksize ? chunksize : room + 1;
    out.resize(start + wanted);
    const ssize_t got = ::read(file.get(), out.data() + start, wanted);
    if (got < 0) {
      const int error = errno;
      out.resize(start);
      if (error == EINTR) {
        continue;
      }
      out = {};
      return errortext("Cannot read", path, error);
    }
    out.resize(start + static_cast<std::size_t>(got));
    if (got == 0) {
      return {};
    }
    if (out.size() > maxbytes) {
      return toolarge();
    }
  }
}

}  // namespace molvane
