#pragma once
// One parameter line: name, "=" and value, or the name alone.

#include <cstdint>
#include <optional>
#include <string_view>

#include "cfg/C_CFG_Item.h"

class C_CFG_Parameter : public C_CFG_Item {
 public:
  C_CFG_Parameter(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
                  std::string_view value = {}, std::uint32_t blankLines = 0,
                  std::optional<std::string_view> comment = std::nullopt,
                  std::optional<std::string_view> inlineComment = std::nullopt);
  ~C_CFG_Parameter() override;

  bool Write(std::FILE* stream) override;
  bool IsFolder() const override;
};
