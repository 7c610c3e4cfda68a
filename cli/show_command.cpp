// show: every field of the design record as FIELD=VALUE, in the forms that
// --set accepts.
#include <iostream>

#include "cli/command_registry.h"
#include "core/design_fields.h"
#include "core/design_state.h"

namespace tavrel::cli {
namespace {

int runShow(const std::vector<std::string>& args) {
  if (!args.empty()) return usageError("show takes no arguments");
  const DesignState& d = design();
  for (const std::string& name : designFieldNames()) {
    if (name.ends_with("[]")) {
      const std::string base = name.substr(0, name.size() - 2);
      for (std::size_t i = 0;; ++i) {
        const std::string indexed = base + "[" + std::to_string(i) + "]";
        auto v = getDesignField(d, indexed);
        if (!v) break;
        std::cout << indexed << '=' << *v << '\n';
      }
    } else {
      std::cout << name << '=' << getDesignField(d, name).value_or("") << '\n';
    }
  }
  return kExitOk;
}

const CommandRegistrar kShow{
    {"show", "show\n"
     "                     print every field of the design record as FIELD=VALUE",
     runShow}};

}  // namespace
}  // namespace tavrel::cli
