// The texts of the windows that the shared language tables do not hold:
// labels, choice items and notes of the input windows and the main
// window, in German and English. They live in resources/ui_texts.tsv (the format of
// resources/README.md) and are compiled into the program.
#pragma once

#include <QString>
#include <functional>
#include <string>

namespace tavrel {

// Row `id` of the window-text table in the current language (design().
// language), or in the given one; a missing row gives the empty text.
std::string uiText(int id);
std::string uiText(int id, int language);

// QString forms of the program's texts.
QString qs(const std::string& s);
QString uiq(int id);       // uiText
QString strq(int n);       // loadString: string n + stringOffset
QString msgq(int n);       // messageText
QString plainq(const QString& caption);  // without "&" and ":"

// A text that is looked up again whenever the language changes.
using TextSource = std::function<QString()>;
TextSource tx(int uiId);              // uiText(uiId)
TextSource ts(int stringId);          // loadString(stringId)
TextSource tt(int textRow);           // text table row
TextSource tdt(int dialTypeRow);      // dial-type table row
TextSource literal(const QString& text);

}  // namespace tavrel
