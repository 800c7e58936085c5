#pragma once

#include <string>

#include "common/CommandLine.h"

// --profile, the cam's surface and the lever's working face as coordinates, and
// --dxf, the same as a drawing.
struct ProfileOptions {
  bool given = false;
  std::string dxfPath;  // empty: no drawing
};

struct ProfileOptionHandles {
  CLI::Option* profile = nullptr;
  CLI::Option* dxf = nullptr;
};
ProfileOptionHandles DeclareProfileOptions(CommandLine& line, ProfileOptions& target);

// --profile is a run of its own: every other option of the tool given with it, but
// --dxf and --threads, is refused; --dxf needs --profile. The one-line error, or empty.
std::string ProfileOptionsConflict(CommandLine& line, const ProfileOptionHandles& handles);

// The help's section on --profile's columns.
std::string ProfileHelp();
