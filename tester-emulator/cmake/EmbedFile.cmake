# cmake -DINPUT=file -DOUTPUT=file.cpp -P EmbedFile.cmake
# Writes the bytes of INPUT as the array emu::kBuiltinScenario.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\nnamespace emu {\n"
     "extern const unsigned char kBuiltinScenario[];\nextern const std::size_t kBuiltinScenarioSize;\n"
     "const unsigned char kBuiltinScenario[] = {\n${bytes}0};\n"
     "const std::size_t kBuiltinScenarioSize = ${size};\n}\n")
