# cmake -DINPUT=file -DOUTPUT=source.cpp -P EmbedFile.cmake
# Writes the bytes of INPUT as the text returned by sim::DemoFixtureText().
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from sim/fixtures/demo-node.cfg; do not edit.\n"
  "#include \"sim/lib/DemoFixture.h\"\n\n"
  "namespace sim {\n\nnamespace {\nconst unsigned char kDemo[] = {\n${bytes}0};\n}  // namespace\n\n"
  "std::string_view DemoFixtureText() {\n"
  "  return std::string_view(reinterpret_cast<const char*>(kDemo), ${size});\n}\n\n"
  "}  // namespace sim\n")
