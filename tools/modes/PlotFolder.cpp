#include "PlotFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/ToolOutput.h"

std::string PreparePlotFolder(const std::string& folder) {
  const auto cannot = [&folder](const std::string& reason) {
    return "--plot-dir " + Quoted(folder) + " cannot be used: " + reason;
  };
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return cannot(error.message());
  if (!std::filesystem::is_directory(folder, error)) return cannot(std::strerror(ENOTDIR));
  // The one sure test of a folder's permissions, quotas and mount options: make a file.
  std::string probe = (std::filesystem::path(folder) / ".torlin-modes-XXXXXX").string();
  const int fd = mkstemp(probe.data());
  if (fd < 0) return cannot(std::strerror(errno));
  close(fd);
  unlink(probe.c_str());
  return {};
}
