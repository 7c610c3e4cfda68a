#include "core/language.h"

#include <filesystem>
#include <system_error>

#include "core/design_state.h"
#include "resources/language_tables.h"

namespace tavrel {

namespace {

// English keys of the string table are the German keys + 2000.
constexpr int kEnglishKeyOffset = 2000;

bool isEnglish(int language) { return language == 2; }

std::string pick(const resources::Row* row, int language) {
  if (!row) return {};
  return isEnglish(language) ? row->english : row->german;
}

const resources::Table& tableData(TextTable table) {
  switch (table) {
    case TextTable::Messages: return resources::kMessageTable;
    case TextTable::Captions: return resources::kCaptionTable;
    case TextTable::Menu: return resources::kMenuTable;
    case TextTable::Labels: return resources::kLabelTable;
    case TextTable::Texts: return resources::kTextTable;
    case TextTable::PoleStyle: return resources::kPoleStyleTable;
    case TextTable::Explanations: return resources::kExplanationTable;
    case TextTable::Months: return resources::kMonthTable;
    case TextTable::DialTypes: return resources::kDialTypeTable;
    case TextTable::WorkTexts: return resources::kWorkTextTable;
  }
  return resources::kTextTable;
}

// Rows of the caption table: the five box captions in MsgCaption order,
// then the four dialog titles.
constexpr int kDialogTitleFirstRow = 5;

}  // namespace

std::string messageText(int n, int language) {
  return pick(resources::kMessageTable.find(n), language);
}

std::string messageText(int n) { return messageText(n, design().language); }

std::string messagePair(int a, int b) { return messageText(a) + "\n\r" + messageText(b); }

std::string captionText(MsgCaption caption, int language) {
  return tableText(TextTable::Captions, static_cast<int>(caption), language);
}

std::string captionText(MsgCaption caption) { return captionText(caption, design().language); }

std::string dialogTitle(DialogTitle title, int language) {
  return tableText(TextTable::Captions, kDialogTitleFirstRow + static_cast<int>(title), language);
}

std::string dialogTitle(DialogTitle title) { return dialogTitle(title, design().language); }

std::string stringByKey(int key) {
  if (key >= kEnglishKeyOffset)
    return pick(resources::kStringTable.find(key - kEnglishKeyOffset), 2);
  return pick(resources::kStringTable.find(key), 1);
}

std::string loadString(int n) { return stringByKey(n + design().stringOffset); }

std::string loadStringPlain(int n) {
  std::string text = loadString(n);
  std::erase(text, '&');
  return text;
}

std::vector<std::string> stringsList(int base, int count) {
  std::vector<std::string> list;
  for (int k = 0; k < count; ++k) list.push_back(loadString(base + k));
  return list;
}

std::vector<int> stringTableKeys() {
  std::vector<int> keys;
  for (const resources::Row& row : resources::kStringTable) keys.push_back(row.id);
  return keys;
}

std::string tableText(TextTable table, int r, int language) {
  return pick(tableData(table).find(r), language);
}

std::string tableText(TextTable table, int r) { return tableText(table, r, design().language); }

std::string workText(int r) { return tableText(TextTable::WorkTexts, r); }

std::string hourChoiceText(int n) {
  return " " + std::to_string(n) + workText(workTextRow::kHourChoiceUnit);
}

std::vector<std::string> tableRowsList(int first, int last) {
  std::vector<std::string> list;
  for (int r = first; r <= last; ++r) list.push_back(tableText(TextTable::Texts, r));
  return list;
}

std::vector<int> tableRowIds(TextTable table) {
  std::vector<int> ids;
  for (const resources::Row& row : tableData(table)) ids.push_back(row.id);
  return ids;
}

std::string monthName(int month, int language) {
  return tableText(TextTable::Months, month, language);
}

std::string monthName(int month) { return monthName(month, design().language); }

std::string helpFileBaseName(bool german, bool useHtmlHelp) {
  if (useHtmlHelp) return german ? "tavrel_d.chm" : "tavrel_e.chm";
  return german ? "tavrel.hlp" : "tavrel_e.hlp";
}

std::string programDataFolder(const std::string& exeDirectory, const std::string& fileName) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(fs::path(exeDirectory) / fileName, ec)) return exeDirectory;
  const fs::path installed = (fs::path(exeDirectory) / ".." / "share" / "tavrel").lexically_normal();
  if (fs::exists(installed / fileName, ec)) return (installed / "").string();
  return exeDirectory;
}

void selectLanguage(bool german) {
  DesignState& d = design();
  d.germanSelected = german;
  d.language = german ? 1 : 2;
  d.stringOffset = german ? 0 : kEnglishKeyOffset;
  const std::string name = helpFileBaseName(german, d.useHtmlHelp);
  d.helpFileName = programDataFolder(d.exeDirectory, name) + name;
}

bool setLanguage(bool german) {
  selectLanguage(german);
  DesignState& d = design();

  std::error_code ec;
  const bool found = std::filesystem::exists(d.helpFileName, ec) && !ec;
  if (!found)
    showMessage(MsgCaption::Information, MsgIcon::Question,
                "Help file " + d.helpFileName + " not found!" + "\r\n" +
                    "Therefore no help information included!");
  return found;
}

}  // namespace tavrel
