// Shared pieces of the tables tests: a fixture that starts every test from
// the start-up record in English and restores the record afterwards, and
// a reader of the tab-separated reference tables under tests/data.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "astro/startup.h"
#include "tests/core/language_choice.h"

namespace tavrel::test {

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    useLanguage(2);
    d.germanSelected = false;
  }
  void TearDown() override { design() = saved_; }
  DesignState saved_ = design();
};

// Rows of a reference table: '#' lines are comments, the first other line
// names the columns. A missing file fails the calling test.
struct TsvTable {
  std::vector<std::string> columns;
  std::vector<std::map<std::string, std::string>> rows;
};

inline TsvTable readTsv(const std::string& name) {
  TsvTable t;
  const std::string path = std::string(TAVREL_TEST_DATA_DIR) + "/" + name;
  std::ifstream in(path);
  if (!in) {
    ADD_FAILURE() << "reference table missing: " << path;
    return t;
  }
  std::string line;
  auto split = [](const std::string& s) {
    std::vector<std::string> cells;
    std::stringstream ss(s);
    std::string c;
    while (std::getline(ss, c, '\t')) cells.push_back(c);
    return cells;
  };
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (t.columns.empty()) {
      t.columns = split(line);
      continue;
    }
    const std::vector<std::string> cells = split(line);
    std::map<std::string, std::string> row;
    for (std::size_t i = 0; i < t.columns.size() && i < cells.size(); ++i) row[t.columns[i]] = cells[i];
    t.rows.push_back(std::move(row));
  }
  if (t.rows.empty()) ADD_FAILURE() << "reference table empty: " << path;
  return t;
}

}  // namespace tavrel::test
