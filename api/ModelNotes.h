#pragma once

#include <string>
#include <vector>

// What the load model assumes and takes by default, paragraph by paragraph, written
// once for torlin-modes --help, its manual page and Python's documentation. The
// options they name are torlin-modes'; Python's keyword arguments carry the same
// names in snake case.
struct ModelNote {
  std::string title;
  std::string text;
};
const std::vector<ModelNote>& LoadModelNotes();
// Of those, the one that says every load and torque is per valve, for a page that
// shows the loads without the rest.
const ModelNote& PerValveNote();
