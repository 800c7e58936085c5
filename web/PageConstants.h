#pragma once

#include <string>

// The facts the page's script shares with the program, as one JSON object: the client
// area's size, the numbers of the events, turns, control kinds, scroll bars and mode
// buttons, the layout of a frame's report and the Escape key's code. The script takes
// them from here instead of writing them again.
std::string PageConstantsJson();
