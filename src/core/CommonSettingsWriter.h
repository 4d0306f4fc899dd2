#pragma once
// The keys the program settings dialog changes, written into [COMMON] of the
// configuration file. The caller saves the file and holds whatever lock it
// needs; nothing here waits or saves.

class C_CFG_File;

namespace core {

struct ProgramSettings;

// Writes, in this order: ERROR_SOUND and ERROR_APP (quoted unless already),
// PERIOD_VERIFY, SPLASH_WINDOW_TTL, FV_DEFAULT_SETINGS (the group value,
// unquoted) and USE_DOCKING_WINDOWS from `docking` (the running setting's
// field is left to the next start). Every key is written even when one
// fails; false when any failed.
bool WriteCommonSettings(C_CFG_File& file, const ProgramSettings& settings, bool docking);

}  // namespace core
