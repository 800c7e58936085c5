#include "SvajOutput.h"

#include "SvajCharts.h"
#include "common/StopSignals.h"

QString WriteSvajPictures(const ModesOptions& options, const std::vector<SvajRow>& rows) {
  const SvajPictureSettings settings{*options.exact.svaj, options.exact.rpm, options.speed, options.Origin()};
  const std::string& folder = options.plotDir;
  if (QString error = WriteSvajPicture(rows, settings, folder); !error.isEmpty() || StopSignal() != 0) return error;
  if (!settings.mode.WindowSetting()) return {};  // no window's lift to set against the exact one
  return WriteWindowAgainstExactPicture(rows, settings, folder);
}
