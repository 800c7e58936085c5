#pragma once

struct Controls;

// Names and descriptions for assistive technology on all ten controls, and
// tooltips on the five buttons and three scroll bars: what each one does.
void DescribeControls(const Controls& controls);
