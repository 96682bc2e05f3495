# Writes OUT, a C++ file defining the installation data texts as byte arrays, so
# that the administration tool carries them without depending on where the
# sources are. Run with -DOUT=... -DSTRUCTURES=... -DDEMO=...
function(embed var path result)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(${result} "const unsigned char ${var}[] = {${bytes} 0};\nconst std::size_t ${var}Size = sizeof ${var} - 1;\n" PARENT_SCOPE)
endfunction()
embed(kStructures "${STRUCTURES}" a)
embed(kDemo "${DEMO}" b)
file(WRITE "${OUT}.tmp" "// Generated from data/ at build time.\n#include <cstddef>\n#include <string_view>\n\n#include \"tables/installation.h\"\n\nnamespace veltrano {\nnamespace {\n${a}${b}}  // namespace\n\nstd::string_view ShippedStructureSource() {\n    return {reinterpret_cast<const char*>(kStructures), kStructuresSize};\n}\n\nstd::string_view DemoTableSource() {\n    return {reinterpret_cast<const char*>(kDemo), kDemoSize};\n}\n\n}  // namespace veltrano\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
