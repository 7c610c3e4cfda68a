// The fields of the design record by name, for the batch front end's
// --set FIELD=VALUE and for tests that walk the whole record.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

struct DesignState;

// Sets one field of `state` from text. FIELD is the record's field name,
// with an index for arrays and lists ("colors[3]", "ownDateLines[0]");
// VALUE is a number with "." as decimal point, true/false for flags, the
// character itself for one-character fields, any text for text fields.
// Values outside the field's range are refused. Returns the error text
// (naming the field) or nullopt on success.
std::optional<std::string> setDesignField(DesignState& state, std::string_view field,
                                          std::string_view value);

// The value of one field as text (same forms as setDesignField accepts);
// nullopt for an unknown name.
std::optional<std::string> getDesignField(const DesignState& state, std::string_view field);

// Every settable name (arrays and lists without index, as "colors[]").
std::vector<std::string> designFieldNames();

}  // namespace tavrel
