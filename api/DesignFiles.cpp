#include "api/DesignFiles.h"

#include "geometry/DesignFile.h"

CheckedMechanism CheckDesignFile(const std::string& path) {
  try {
    return CheckMechanism(ReadDesignFile(path), path);
  } catch (const DesignError& e) {
    return {nullptr, e.Problems()};
  }
}
