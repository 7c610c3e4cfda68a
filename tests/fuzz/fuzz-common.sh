# Shared by the fuzz scripts that compile their sources directly (source
# it; it defines functions only).

# generate_language_tables CXX ROOT BUILD: writes
# BUILD/gen/resources/language_tables.cpp from resources/*.tsv, as the
# normal build does; the table list is taken from resources/CMakeLists.txt.
generate_language_tables() {
  local cxx="$1" root="$2" build="$3"
  mkdir -p "$build/gen/resources"
  "$cxx" -std=c++20 -O1 -o "$build/tavrel_resgen" "$root/resources/resgen.cpp"
  local table_args
  mapfile -t table_args < <(awk '
    /set\(TAVREL_LANGUAGE_TABLES/ { inside = 1; next }
    inside && /^\)/ { inside = 0 }
    inside && NF == 3 { print $1; print "'"$root"'/resources/" $2; print $3 }
  ' "$root/resources/CMakeLists.txt")
  "$build/tavrel_resgen" "$build/gen/resources/language_tables.cpp" "${table_args[@]}"
}
