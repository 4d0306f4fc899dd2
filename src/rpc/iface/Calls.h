#pragma once
// Every client function of the administration interface.

#include "rpc/iface/CfgCalls.h"
#include "rpc/iface/DirCalls.h"
#include "rpc/iface/HostCalls.h"
#include "rpc/iface/RouterCalls.h"
#include "rpc/iface/SessionCalls.h"
#include "rpc/iface/TaskCalls.h"
