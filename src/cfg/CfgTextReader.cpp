#include "cfg/CfgTextReader.h"

bool cfg::LineReader::Next(std::string& line) {
  (void)stream_;
  line.clear();
  return false;
}

void cfg::ReadTreeText(std::FILE*, C_CFG_File&, C_CFG_Folder&) {}
