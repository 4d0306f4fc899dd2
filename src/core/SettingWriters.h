#pragma once
// Writing one program setting into a section of the configuration file: the
// section and the key are found by exact name, or made at the end; an
// existing key keeps its comments and blank lines. The file is not saved
// here and its lock is not taken.

#include <cstdint>
#include <string>

class C_CFG_File;

namespace core {

// `quote`: the value is put between double quotes unless it already starts
// or ends with one; an empty value is written bare.
bool SetSettingText(C_CFG_File& file, const std::string& section, const std::string& key, const std::string& value,
                    bool quote);
// "%lu", no quotes.
bool SetSettingNumber(C_CFG_File& file, const std::string& section, const std::string& key, uint32_t value);
// "TRUE" or "FALSE", no quotes.
bool SetSettingBool(C_CFG_File& file, const std::string& section, const std::string& key, bool value);

}  // namespace core
