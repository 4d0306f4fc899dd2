#include "cfg/C_CFG_Parameter.h"

C_CFG_Parameter::C_CFG_Parameter(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
                                 std::string_view value, std::uint32_t blankLines,
                                 std::optional<std::string_view> comment,
                                 std::optional<std::string_view> inlineComment)
    : C_CFG_Item(file, parent, name, value, blankLines, comment, inlineComment) {}

C_CFG_Parameter::~C_CFG_Parameter() { DestroyOnce(); }

bool C_CFG_Parameter::Write(std::FILE* stream) {
  if (!WriteLeader(stream)) return false;
  const std::string& name = GetName();
  const std::string& value = GetValue();
  if (!name.empty() && std::fwrite(name.data(), 1, name.size(), stream) != name.size()) return false;
  if (!value.empty()) {
    if (std::fputc('=', stream) == EOF) return false;
    if (std::fwrite(value.data(), 1, value.size(), stream) != value.size()) return false;
  }
  return WriteLineEnd(stream);
}

bool C_CFG_Parameter::IsFolder() const { return false; }
