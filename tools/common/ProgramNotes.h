#pragma once

#include <string>

#include "api/CsvWriter.h"
#include "common/ToolDesign.h"
#include "torlin/Version.h"

// The first notes after every table of the tools: which program made it and from
// which design of the mechanism.
template <class Row>
CsvColumns<Row> ProgramNotes(const std::string& program) {
  return {
      WordsColumn<Row>("program", [program](const Row&) { return program + " " + kTorlinVersion; }),
      WordsColumn<Row>("design", [](const Row&) { return ToolDesignName(); }),
  };
}
