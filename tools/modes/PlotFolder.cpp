#include "PlotFolder.h"

#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/ToolOutput.h"

namespace {

// The kernel's own file systems, in which no picture can be made.
bool InVirtualFileSystem(const std::string& folder) {
  struct statfs system = {};
  if (statfs(folder.c_str(), &system) != 0) return false;
  return system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC;
}

}  // namespace

std::string PreparePlotFolder(const std::string& folder) {
  const auto cannot = [&folder](const std::string& reason) {
    return "--plot-dir " + EchoedValue(folder) + " cannot be used: " + reason;
  };
  std::error_code error;
  const std::filesystem::path path(folder);
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)) &&
      !std::filesystem::exists(path, error)) {
    return cannot("it is a symbolic link to " + EchoedValue(std::filesystem::read_symlink(path, error).string()) +
                  ", which does not exist");
  }
  std::filesystem::create_directories(path, error);
  if (error) return cannot(error.message());
  if (!std::filesystem::is_directory(path, error)) return cannot(std::strerror(ENOTDIR));
  if (InVirtualFileSystem(folder)) return cannot("it lies in the kernel's /proc or /sys, where no file can be made");
  // The one sure test of a folder's permissions, quotas and mount options: make a file.
  std::string probe = (path / ".torlin-modes-XXXXXX").string();
  const int fd = mkstemp(probe.data());
  if (fd < 0) return cannot(std::string("no file can be made in it: ") + std::strerror(errno));
  close(fd);
  unlink(probe.c_str());
  return {};
}
