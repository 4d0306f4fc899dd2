#pragma once
// Request and response bodies of the server task operations. The client functions and the node
// simulator both use them, so the two sides encode the same bytes. A request holds
// the [in] and [in,out] parameters, a response the [out] and [in,out] ones and the
// return value, each in wire order.

#include <array>
#include <cstdint>
#include <string>

#include "rpc/iface/Opnums.h"

namespace rpc {

class NdrWriter;
class NdrReader;

struct TaskGetCountResponse;

// Number of server tasks on the computer.
struct TaskGetCountRequest {
  static constexpr uint16_t kOpnum = opnum::TaskGetCount;
  using Response = TaskGetCountResponse;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct TaskGetCountResponse {
  int32_t Count = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const TaskGetCountRequest& request) const;
  void Read(NdrReader& r, const TaskGetCountRequest& request);
};

struct TaskGetAtResponse;

// Name and comment of the task at an index.
struct TaskGetAtRequest {
  static constexpr uint16_t kOpnum = opnum::TaskGetAt;
  using Response = TaskGetAtResponse;

  int32_t Index = 0;
  int32_t TaskNameCapacity = 0;
  int32_t CommentCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct TaskGetAtResponse {
  std::string TaskName;  // its length travels before it
  std::string Comment;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const TaskGetAtRequest& request) const;
  void Read(NdrReader& r, const TaskGetAtRequest& request);
};

struct TaskGetStateResponse;

// State code of a task; sent with 5.
struct TaskGetStateRequest {
  static constexpr uint16_t kOpnum = opnum::TaskGetState;
  using Response = TaskGetStateResponse;

  std::string TaskName;
  int32_t State = 0;  // [in,out]

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct TaskGetStateResponse {
  int32_t State = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const TaskGetStateRequest& request) const;
  void Read(NdrReader& r, const TaskGetStateRequest& request);
};

struct TaskControlResponse;

// A command code for one task.
struct TaskControlRequest {
  static constexpr uint16_t kOpnum = opnum::TaskControl;
  using Response = TaskControlResponse;

  std::string TaskName;
  int32_t Command = 0;  // [in,out]

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct TaskControlResponse {
  int32_t Command = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const TaskControlRequest& request) const;
  void Read(NdrReader& r, const TaskControlRequest& request);
};

struct ServerControlResponse;

// A command code for the whole server.
struct ServerControlRequest {
  static constexpr uint16_t kOpnum = opnum::ServerControl;
  using Response = ServerControlResponse;

  int32_t Command = 0;  // [in,out]

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct ServerControlResponse {
  int32_t Command = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const ServerControlRequest& request) const;
  void Read(NdrReader& r, const ServerControlRequest& request);
};

struct TaskGetParamCountResponse;

// Number of property entries of a task.
struct TaskGetParamCountRequest {
  static constexpr uint16_t kOpnum = opnum::TaskGetParamCount;
  using Response = TaskGetParamCountResponse;

  std::string TaskName;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct TaskGetParamCountResponse {
  int32_t Count = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const TaskGetParamCountRequest& request) const;
  void Read(NdrReader& r, const TaskGetParamCountRequest& request);
};

struct TaskGetParamAtResponse;

// One property entry of a task as four texts.
struct TaskGetParamAtRequest {
  static constexpr uint16_t kOpnum = opnum::TaskGetParamAt;
  using Response = TaskGetParamAtResponse;

  std::string TaskName;
  int32_t Index = 0;
  int32_t FirstTextCapacity = 0;
  int32_t SecondTextCapacity = 0;
  int32_t ThirdTextCapacity = 0;
  int32_t FourthTextCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct TaskGetParamAtResponse {
  std::string FirstText;  // its length travels before it
  std::string SecondText;  // its length travels before it
  std::string ThirdText;  // its length travels before it
  std::string FourthText;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const TaskGetParamAtRequest& request) const;
  void Read(NdrReader& r, const TaskGetParamAtRequest& request);
};

}  // namespace rpc
