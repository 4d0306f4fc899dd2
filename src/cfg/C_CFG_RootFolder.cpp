#include "cfg/C_CFG_RootFolder.h"

C_CFG_RootFolder::C_CFG_RootFolder(C_CFG_File* file) : C_CFG_Folder(file, nullptr, "/") {}

C_CFG_RootFolder::~C_CFG_RootFolder() { DestroyOnce(); }

bool C_CFG_RootFolder::Write(std::FILE* stream) { return WriteChildren(stream); }
