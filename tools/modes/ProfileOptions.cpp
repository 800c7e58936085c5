#include "ProfileOptions.h"

ProfileOptionHandles DeclareProfileOptions(CommandLine& line, ProfileOptions& target) {
  ProfileOptionHandles handles;
  handles.profile = line.Switch("--profile", target.given,
                                "instead of the map: the cam's surface and the lever's working face as x, y "
                                "coordinates in mm (CSV), each at rest about its own axis; see Profile columns");
  handles.dxf = line.Value(
      "--dxf", "FILE", "a file name",
      [&target](const std::string& text) {
        target.dxfPath = text;
        return !text.empty();
      },
      "with --profile: also writes both curves as a DXF drawing in millimetres (layers CAM_SURFACE and "
      "LEVER_FACE), whole or not at all");
  return handles;
}

std::string ProfileOptionsConflict(CommandLine& line, const ProfileOptionHandles& handles) {
  if (handles.dxf->count() > 0 && handles.profile->count() == 0) return "--dxf needs --profile";
  if (handles.profile->count() == 0) return {};
  for (const CLI::Option* option : line.App().get_options()) {
    if (option == handles.profile || option == handles.dxf || option->count() == 0) continue;
    const std::string name = option->get_name();
    if (name == "--threads") continue;
    return "give --profile or " + name + ", not both: --profile gives the mechanism's two surfaces, of no mode";
  }
  return {};
}

std::string ProfileHelp() {
  return HelpList("Profile columns (--profile)",
                  {{"part", "camSurface: the cam's surface about the cam axis, the cam at rest, a closed curve every "
                            "1/20 degree; leverFace: the lever's working face about the lever pivot, the lever at "
                            "rest, from the pivot arc over the corner to the flank, every 1/30 degree and at both "
                            "hand-overs"},
                   {"angle_deg", "where the point lies: the cam's rest angle, or the lever's curve angle, in "
                                 "degrees from +y towards +x"},
                   {"x_mm, y_mm", "the point, y up; each surface lies the roller radius (9.5 mm) from the path of "
                                  "the roller centre that the kinematics use"},
                   {"# camAxisX_mm ...", "after the rows: where the cam axis and the lever pivot lie in the window's "
                                         "coordinates, and the roller radius"}});
}
