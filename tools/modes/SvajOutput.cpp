#include "SvajOutput.h"

#include <cstdio>
#include <string>
#include <vector>

#include "ChartFile.h"
#include "SvajCharts.h"
#include "SvajTable.h"

QString WriteSvaj(const ModesOptions& options) {
  const ModeSetting mode = *options.exact.svaj;
  const ExactKinematics model(mode.lever, mode.eccentric);
  DemonstrationModel windowModel;
  DemonstrationRevolution window;
  windowModel.Run(mode, options.speed, window);
  const std::vector<SvajRow> rows = SvajRows(model, options.exact.svajStepDeg, window);

  std::string text = SvajHeader(options.exact.rpm);
  for (const SvajRow& row : rows) text += SvajCsvRow(row, options.exact.rpm);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    return QStringLiteral("could not write the rows to standard output");
  }
  if (options.plotDir.isEmpty()) return {};
  if (QString error = MakePlotDirectory(options.plotDir); !error.isEmpty()) return error;
  const SvajPictureSettings settings{mode, options.exact.rpm, options.speed};
  if (QString error = WriteSvajPicture(rows, settings, options.plotDir); !error.isEmpty()) return error;
  return WriteWindowAgainstExactPicture(rows, settings, options.plotDir);
}
