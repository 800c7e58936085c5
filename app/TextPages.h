#pragma once

#include <QString>

#include "animation/PageTexts.h"

class WrappingLabel;

// The three explanatory pages of Label2 and the credit text of Label1, as the Qt
// labels take them.
namespace text_pages {

inline constexpr int kPageCount = page_texts::kPageCount;

// Page 0, 1 or 2; an empty string for any other number.
QString Page(int page);
QString Credit();

}  // namespace text_pages

// Puts the page selected by mes into Label2; any other mes leaves it unchanged.
void ShowTextPage(int mes, WrappingLabel& label2);
