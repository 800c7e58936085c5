#pragma once

#include <string>

// Makes the picture folder (and its parents) if missing and makes sure files can be
// made in it, before any work is done: an empty string, or the one line that says
// why the folder cannot be used.
std::string PreparePlotFolder(const std::string& folder);
