#include "ui/ui_texts.h"

#include "core/design_state.h"
#include "core/language.h"
#include "ui/ui_text_table.h"

namespace tavrel {

std::string uiText(int id, int language) {
  const resources::Row* row = resources::kUiTextTable.find(id);
  if (!row) return {};
  return language == 2 ? row->english : row->german;
}

std::string uiText(int id) { return uiText(id, design().language); }

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString uiq(int id) { return qs(uiText(id)); }
QString strq(int n) { return qs(loadString(n)); }
QString msgq(int n) { return qs(messageText(n)); }

QString plainq(const QString& caption) {
  QString out = caption;
  out.remove(QChar('&'));
  out.remove(QChar(':'));
  return out;
}

TextSource tx(int uiId) {
  return [uiId] { return uiq(uiId); };
}
TextSource ts(int stringId) {
  return [stringId] { return strq(stringId); };
}
TextSource tt(int textRow) {
  return [textRow] { return qs(tableText(TextTable::Texts, textRow)); };
}
TextSource tdt(int dialTypeRow) {
  return [dialTypeRow] { return qs(tableText(TextTable::DialTypes, dialTypeRow)); };
}
TextSource literal(const QString& text) {
  return [text] { return text; };
}

}  // namespace tavrel
