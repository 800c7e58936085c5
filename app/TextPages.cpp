#include "app/TextPages.h"

#include "animation/PageTexts.h"
#include "app/WrappingLabel.h"

namespace text_pages {

QString Page(int page) { return QString::fromStdString(page_texts::Page(page)); }

QString Credit() { return QString::fromStdString(page_texts::Credit()); }

}  // namespace text_pages

void ShowTextPage(int mes, WrappingLabel& label2) {
  if (mes == 1) {
    label2.setText(text_pages::Page(1));
  } else if (mes == 0) {
    label2.setText(text_pages::Page(0));
  } else if (mes == 2) {
    label2.setText(text_pages::Page(2));
  }
}
