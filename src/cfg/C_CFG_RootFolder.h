#pragma once
// The one unnamed top folder of a file (its name "/" is never written).

#include "cfg/C_CFG_Folder.h"

class C_CFG_RootFolder : public C_CFG_Folder {
 public:
  explicit C_CFG_RootFolder(C_CFG_File* file);
  ~C_CFG_RootFolder() override;

  bool Write(std::FILE* stream) override;  // the children only
};
