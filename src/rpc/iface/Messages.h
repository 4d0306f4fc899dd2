#pragma once
// Every request and response body of the operations the console issues.

#include "rpc/iface/CfgMessages.h"
#include "rpc/iface/DirMessages.h"
#include "rpc/iface/HostMessages.h"
#include "rpc/iface/RouterMessages.h"
#include "rpc/iface/SessionMessages.h"
#include "rpc/iface/TaskMessages.h"
