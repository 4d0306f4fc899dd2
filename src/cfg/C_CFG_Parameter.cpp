#include "cfg/C_CFG_Parameter.h"

#include "cfg/TextOut.h"

C_CFG_Parameter::C_CFG_Parameter(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
                                 std::string_view value, std::uint32_t blankLines,
                                 std::optional<std::string_view> comment,
                                 std::optional<std::string_view> inlineComment)
    : C_CFG_Item(file, parent, name, value, blankLines, comment, inlineComment) {}

C_CFG_Parameter::~C_CFG_Parameter() { DestroyOnce(); }

bool C_CFG_Parameter::Write(std::FILE* stream) {
  if (!WriteLeader(stream)) return false;
  if (!cfg::PutText(stream, GetName())) return false;
  const std::string& value = GetValue();
  if (!value.empty() && (!cfg::PutText(stream, "=") || !cfg::PutText(stream, value))) return false;
  return WriteLineEnd(stream);
}

bool C_CFG_Parameter::IsFolder() const { return false; }
