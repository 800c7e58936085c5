#pragma once

#include <QString>

class WrappingLabel;

// The three explanatory pages of Label2 and the credit text of Label1. Sentences
// are separated by runs of blanks, not line breaks: the label's word-wrapping turns
// a long run into the indent and gap before the next sentence.
namespace text_pages {

inline constexpr int kPageCount = 3;

// Page 0, 1 or 2; an empty string for any other number.
QString Page(int page);
QString Credit();

}  // namespace text_pages

// Puts the page selected by mes into Label2; any other mes leaves it unchanged.
void ShowTextPage(int mes, WrappingLabel& label2);
