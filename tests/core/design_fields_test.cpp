#include <gtest/gtest.h>

#include "core/design_fields.h"
#include "core/design_state.h"

namespace tavrel {
namespace {

TEST(DesignFieldsTest, SetsEveryKindOfField) {
  DesignState d;
  struct Case {
    const char* field;
    const char* value;
    const char* readBack;
  };
  // Each row exercises one field type of the record.
  const Case cases[] = {
      {"latitude", "51.5", "51.5"},
      {"longitude", "-0.125", "-0.125"},
      {"referenceYear", "1582", "1582"},
      {"twilightKind", "0", "0"},
      {"dialKind", "h", "h"},
      {"hourLineInterval", "4", "4"},
      {"eotLineInterval", "6", "6"},
      {"withEot", "true", "true"},
      {"localTime", "false", "false"},
      {"colors[3]", "0xFF00FF", "16711935"},
      {"colors[11]", "12345", "12345"},
      {"ownDateLines[3]", "01/05    ( 1. Mai )", "01/05    ( 1. Mai )"},
      {"versionText", " 9.0", " 9.0"},
      {"umbrellaRadiusRatio", "-0.5", "-0.5"},
  };
  d.ownDateLines = {"a", "b", "c"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(setDesignField(d, c.field, c.value), std::nullopt);
    EXPECT_EQ(getDesignField(d, c.field), std::string(c.readBack));
  }
  EXPECT_DOUBLE_EQ(d.latitude, 51.5);
  EXPECT_EQ(d.dialKind, 'h');
  EXPECT_EQ(d.colors[3], 0xFF00FF);
  EXPECT_EQ(d.ownDateLines.size(), 4u);
}

TEST(DesignFieldsTest, RefusesBadNamesAndValuesNamingTheField) {
  struct Case {
    const char* field;
    const char* value;
    const char* mustMention;
  };
  const Case cases[] = {
      {"latitud", "51", "latitud"},
      {"latitude", "51,5", "latitude"},
      {"latitude", "abc", "latitude"},
      {"latitude", "91", "latitude"},
      {"latitude", "", "latitude"},
      {"latitude", "nan", "latitude"},
      {"referenceYear", "2020.5", "referenceYear"},
      {"referenceYear", "1299", "referenceYear"},
      {"dialKind", "x", "dialKind"},
      {"dialKind", "hv", "dialKind"},
      {"withEot", "yes", "withEot"},
      {"twilightKind", "300", "twilightKind"},
      {"colors[12]", "0", "colors[12]"},
      {"colors", "0", "colors"},
      {"colors[x]", "0", "colors[x]"},
      {"latitude[0]", "1", "latitude"},
      {"ownDateLines[5]", "01/01", "ownDateLines[5]"},
      {"hourLineInterval", "5", "hourLineInterval"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + "=" + c.value);
    DesignState d;
    const DesignState before = d;
    auto error = setDesignField(d, c.field, c.value);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(c.mustMention), std::string::npos) << *error;
    EXPECT_EQ(d.latitude, before.latitude);
    EXPECT_EQ(d.dialKind, before.dialKind);
  }
}

TEST(DesignFieldsTest, EveryListedNameCanBeReadAndWrittenBack) {
  DesignState d;
  d.ownDateLines = {"21/03 x"};
  for (std::string name : designFieldNames()) {
    SCOPED_TRACE(name);
    if (name.ends_with("[]")) name = name.substr(0, name.size() - 2) + "[0]";
    auto value = getDesignField(d, name);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(setDesignField(d, name, *value), std::nullopt);
    EXPECT_EQ(getDesignField(d, name), value);
  }
}

}  // namespace
}  // namespace tavrel
