#pragma once

#include <string>

// The three explanatory pages of Label2 and the credit text of Label1, in UTF-8.
// Sentences are separated by runs of blanks, not line breaks: a label that
// word-wraps at its width and keeps every blank turns a long run into the indent
// and gap before the next sentence.
namespace page_texts {

inline constexpr int kPageCount = 3;

// Page 0, 1 or 2; an empty string for any other number.
std::string Page(int page);
std::string Credit();
// The window's caption.
std::string Caption();

}  // namespace page_texts
