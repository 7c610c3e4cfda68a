// Build-time generator: turns the bilingual .tsv tables of this folder into
// one C++ source with the arrays that resources/language_tables.h declares.
//
//   tavrel_resgen OUTPUT.cpp SYMBOL FILE.tsv MAXLEN [SYMBOL FILE.tsv MAXLEN ...]
//
// MAXLEN is the largest number of characters (Unicode code points) a text
// may have, 0 for no limit. A SYMBOL may come more than once: its table is
// made of the rows of all its files (a dial family keeps its own rows in
// its folder), and an id may stand in only one of them. The table format is described in README.md.
// Any fault (column count, id, escape, duplicate id, bad UTF-8, over-long
// text) is reported as "file:line: reason" and fails the build.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Row {
  int id = 0;
  std::string german;
  std::string english;
  int line = 0;
};

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& file, int line, const std::string& why) {
  throw Failure(file + ":" + std::to_string(line) + ": " + why);
}

// \n \r \t \\ and \s (a blank); every other backslash sequence is a fault.
std::string unescape(const std::string& cell, const std::string& file, int line) {
  std::string out;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    if (cell[i] != '\\') {
      out += cell[i];
      continue;
    }
    if (i + 1 == cell.size()) fail(file, line, "backslash at the end of a cell");
    switch (cell[++i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 's': out += ' '; break;
      case '\\': out += '\\'; break;
      default: fail(file, line, std::string("unknown escape \\") + cell[i]);
    }
  }
  return out;
}

// Number of code points, or -1 when the text is not well-formed UTF-8.
long codePoints(const std::string& s) {
  long n = 0;
  for (std::size_t i = 0; i < s.size(); ++n) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return -1;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return -1;
    i += len;
  }
  return n;
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return cells;
}

struct FileRow {
  Row row;
  std::string file;
};

std::vector<Row> readTable(const std::string& file, long maxLength) {
  std::ifstream in(file, std::ios::binary);
  if (!in) fail(file, 0, "cannot open the file");
  std::vector<Row> rows;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> cells = splitTabs(line);
    if (cells.size() != 3)
      fail(file, lineNo, "expected 3 tab-separated cells (id, German, English), found " +
                             std::to_string(cells.size()));
    const std::string& idText = cells[0];
    if (idText.empty() || idText.size() > 9 ||
        !std::all_of(idText.begin(), idText.end(), [](char c) { return c >= '0' && c <= '9'; }))
      fail(file, lineNo, "the id \"" + idText + "\" is not a non-negative integer");
    Row row;
    row.id = std::stoi(idText);
    row.line = lineNo;
    row.german = unescape(cells[1], file, lineNo);
    row.english = unescape(cells[2], file, lineNo);
    for (const std::string* text : {&row.german, &row.english}) {
      const long n = codePoints(*text);
      if (n < 0) fail(file, lineNo, "text is not valid UTF-8");
      if (maxLength > 0 && n > maxLength)
        fail(file, lineNo, "text has " + std::to_string(n) + " characters, at most " +
                               std::to_string(maxLength) + " allowed");
    }
    rows.push_back(std::move(row));
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.id < b.id; });
  for (std::size_t i = 1; i < rows.size(); ++i)
    if (rows[i].id == rows[i - 1].id)
      fail(file, rows[i].line, "id " + std::to_string(rows[i].id) + " also stands in line " +
                                   std::to_string(rows[i - 1].line));
  return rows;
}

// A C++ string literal; every byte outside printable ASCII as a three-digit
// octal escape, which cannot run into the next character.
std::string literal(const std::string& s) {
  std::string out = "\"";
  for (const char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c >= 0x20 && c < 0x7F) {
      out += ch;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    }
  }
  return out + "\"";
}

bool validSymbol(const std::string& s) {
  if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || (argc - 2) % 3 != 0) {
    std::cerr << "usage: tavrel_resgen OUTPUT.cpp SYMBOL FILE.tsv MAXLEN [...]\n";
    return 2;
  }
  try {
    std::ostringstream cpp;
    cpp << "// Generated by tavrel_resgen from the .tsv tables in resources/. Do not edit.\n"
        << "#include \"resources/language_tables.h\"\n\n"
        << "namespace tavrel::resources {\n";
    // The tables in the order of their first file, each with the rows of
    // every file that names it.
    std::vector<std::pair<std::string, std::vector<FileRow>>> tables;
    for (int a = 2; a < argc; a += 3) {
      const std::string symbol = argv[a];
      const std::string file = argv[a + 1];
      if (!validSymbol(symbol)) fail(file, 0, "bad symbol name \"" + symbol + "\"");
      const long maxLength = std::strtol(argv[a + 2], nullptr, 10);
      auto it = std::find_if(tables.begin(), tables.end(), [&](const auto& t) { return t.first == symbol; });
      if (it == tables.end()) it = tables.insert(tables.end(), {symbol, {}});
      for (Row& r : readTable(file, maxLength)) it->second.push_back({std::move(r), file});
    }
    for (auto& [symbol, fileRows] : tables) {
      std::stable_sort(fileRows.begin(), fileRows.end(),
                       [](const FileRow& a, const FileRow& b) { return a.row.id < b.row.id; });
      std::vector<Row> rows;
      for (std::size_t i = 0; i < fileRows.size(); ++i) {
        if (i > 0 && fileRows[i].row.id == fileRows[i - 1].row.id)
          fail(fileRows[i].file, fileRows[i].row.line,
               "id " + std::to_string(fileRows[i].row.id) + " also stands in " + fileRows[i - 1].file + ":" +
                   std::to_string(fileRows[i - 1].row.line));
        rows.push_back(fileRows[i].row);
      }
      cpp << "\nnamespace {\nconst Row " << symbol << "Rows[] = {\n";
      for (const Row& r : rows)
        cpp << "    {" << r.id << ", " << literal(r.german) << ", " << literal(r.english) << "},\n";
      if (rows.empty()) cpp << "    {-1, \"\", \"\"},\n";
      cpp << "};\n}  // namespace\n"
          << "const Table " << symbol << "{" << symbol << "Rows, " << rows.size() << "};\n";
    }
    cpp << "\n}  // namespace tavrel::resources\n";

    const std::string output = argv[1];
    const std::string text = cpp.str();
    {
      std::ifstream old(output, std::ios::binary);
      std::ostringstream oldText;
      oldText << old.rdbuf();
      if (old && oldText.str() == text) return 0;  // unchanged: keep the time stamp
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      std::cerr << output << ": cannot write the file\n";
      return 1;
    }
  } catch (const Failure& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
