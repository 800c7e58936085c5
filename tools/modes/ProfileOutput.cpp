#include "ProfileOutput.h"

#include <dl_dxf.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "api/CsvWriter.h"
#include "common/ToolOutput.h"

namespace {

// The cam tables' and the lever tables' resolutions.
constexpr double kCamStepDeg = 0.05;
constexpr double kLeverStepDeg = 1.0 / 30;

struct ProfileRow {
  const char* part;
  ProfilePoint point;
};

CsvColumns<ProfileRow> ProfileColumns() {
  using R = const ProfileRow&;
  return {
      WordsColumn<ProfileRow>("part", [](R r) { return r.part; }),
      NumberColumn<ProfileRow>("angle_deg", [](R r) { return r.point.angleDeg; }),
      NumberColumn<ProfileRow>("x_mm", [](R r) { return r.point.x; }),
      NumberColumn<ProfileRow>("y_mm", [](R r) { return r.point.y; }),
  };
}

// The last line of a file, to tell a complete drawing from one cut short.
bool EndsWithEof(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamoff size = file.tellg();
  constexpr std::streamoff kTail = 8;
  if (size < kTail) return false;
  std::string tail(kTail, '\0');
  file.seekg(size - kTail);
  file.read(tail.data(), kTail);
  return file && tail.find("EOF") != std::string::npos;
}

void WritePolyline(DL_Dxf& dxf, DL_WriterA& writer, const std::vector<ProfilePoint>& points, double dx, double dy,
                   bool closed, const char* layer) {
  const DL_Attributes attributes(layer, 256, -1, "BYLAYER", 1.0);  // colour and weight by layer
  dxf.writePolyline(writer, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closed ? 1 : 0), attributes);
  for (const ProfilePoint& p : points) dxf.writeVertex(writer, DL_VertexData(p.x + dx, p.y + dy, 0, 0));
  dxf.writePolylineEnd(writer);
}

// The drawing's sections, as a DXF 2000 file needs them.
void WriteDrawing(DL_Dxf& dxf, DL_WriterA& w, const MechanismProfile& profile, const MechanismConstants& k) {
  dxf.writeHeader(w);
  w.dxfString(9, "$INSUNITS");
  w.dxfInt(70, 4);  // millimetres
  w.sectionEnd();

  w.sectionTables();
  dxf.writeVPort(w);
  w.tableLinetypes(3);
  dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
  w.tableEnd();
  w.tableLayers(3);
  dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 0x00ffffff, 25, "CONTINUOUS"));
  dxf.writeLayer(w, DL_LayerData("CAM_SURFACE", 0), DL_Attributes("", 1, 0x00ff0000, 35, "CONTINUOUS"));
  dxf.writeLayer(w, DL_LayerData("LEVER_FACE", 0), DL_Attributes("", 3, 0x0000c000, 35, "CONTINUOUS"));
  w.tableEnd();
  w.tableStyle(1);
  dxf.writeStyle(w, DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
  w.tableEnd();
  dxf.writeView(w);
  dxf.writeUcs(w);
  w.tableAppid(1);
  dxf.writeAppid(w, "ACAD");
  w.tableEnd();
  dxf.writeDimStyle(w, 1, 1, 1, 1, 1);
  dxf.writeBlockRecord(w);
  w.tableEnd();
  w.sectionEnd();

  w.sectionBlocks();
  for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, block);
  }
  w.sectionEnd();

  // The cam about the drawing's origin, the lever about its pivot as far off as the
  // window has the pivot from the cam axis.
  w.sectionEntities();
  WritePolyline(dxf, w, profile.cam, 0, 0, true, "CAM_SURFACE");
  WritePolyline(dxf, w, profile.lever, k.leverPivotX - k.camCentreX, k.leverPivotY - k.camCentreY, false,
                "LEVER_FACE");
  w.sectionEnd();
  dxf.writeObjects(w);
  dxf.writeObjectsEnd(w);
  w.dxfEOF();
}

}  // namespace

MechanismProfile ProfileOf(const Mechanism& mechanism) {
  return {CamSurface(mechanism, kCamStepDeg), LeverWorkingFace(mechanism, kLeverStepDeg), mechanism.Constants(),
          mechanism.GetDesign().freeRollerRadiusMm};
}

std::string ProfileCsv(const MechanismProfile& profile) {
  const CsvColumns<ProfileRow> columns = ProfileColumns();
  std::string csv = CsvHeader(columns);
  for (const ProfilePoint& p : profile.cam) AppendCsvLine(csv, columns, {"camSurface", p});
  for (const ProfilePoint& p : profile.lever) AppendCsvLine(csv, columns, {"leverFace", p});
  const MechanismConstants& k = profile.constants;
  const auto line = [&csv](const char* name, double value) {
    csv += std::string("# ") + name + ',';
    AppendNumber(csv, value);
    csv += '\n';
  };
  line("camAxisX_mm", k.camCentreX);
  line("camAxisY_mm", k.camCentreY);
  line("leverPivotX_mm", k.leverPivotX);
  line("leverPivotY_mm", k.leverPivotY);
  line("rollerRadius_mm", profile.rollerRadiusMm);
  csv += "# frames,camSurface about the cam axis and leverFace about the lever pivot, both at rest; "
         "window coordinates above, y up; angles from +y towards +x\n";
  return csv;
}

std::string WriteProfileDxf(const MechanismProfile& profile, const std::string& path) {
  namespace fs = std::filesystem;
  const std::string partial = path + ".partial";
  {
    DL_Dxf dxf;
    const std::unique_ptr<DL_WriterA> writer(dxf.out(partial.c_str(), DL_Codes::AC1015));
    if (!writer) {
      const int reason = errno;
      return "cannot write " + Quoted(path) + ": " + std::strerror(reason != 0 ? reason : EIO);
    }
    WriteDrawing(dxf, *writer, profile, profile.constants);
    writer->close();
  }
  std::error_code error;
  if (!EndsWithEof(partial)) {
    fs::remove(partial, error);
    return "cannot write " + Quoted(path) + ": the drawing was cut short (is the disk full?)";
  }
  fs::rename(partial, path, error);
  if (error) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    return "cannot write " + Quoted(path) + ": " + error.message();
  }
  return {};
}
