#include "rpc/iface/TaskMessages.h"

#include "rpc/iface/WireParts.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

void TaskGetCountRequest::Write(NdrWriter&) const {
}

void TaskGetCountRequest::Read(NdrReader&) {
}

void TaskGetCountResponse::Write(NdrWriter& w, const TaskGetCountRequest&) const {
  w.Long(Count);
  w.Long(ReturnValue);
}

void TaskGetCountResponse::Read(NdrReader& r, const TaskGetCountRequest&) {
  Count = r.Long();
  ReturnValue = r.Long();
}

void TaskGetAtRequest::Write(NdrWriter& w) const {
  w.Long(Index);
  w.Long(TaskNameCapacity);
  w.Long(CommentCapacity);
}

void TaskGetAtRequest::Read(NdrReader& r) {
  Index = r.Long();
  TaskNameCapacity = r.Long();
  CommentCapacity = r.Long();
}

void TaskGetAtResponse::Write(NdrWriter& w, const TaskGetAtRequest& request) const {
  wire::WriteCounted(w, request.TaskNameCapacity, TaskName);
  wire::WriteCounted(w, request.CommentCapacity, Comment);
  w.Long(ReturnValue);
}

void TaskGetAtResponse::Read(NdrReader& r, const TaskGetAtRequest& request) {
  TaskName = wire::ReadCounted(r, request.TaskNameCapacity);
  Comment = wire::ReadCounted(r, request.CommentCapacity);
  ReturnValue = r.Long();
}

void TaskGetStateRequest::Write(NdrWriter& w) const {
  w.String(TaskName);
  w.LongVarying1(State);
}

void TaskGetStateRequest::Read(NdrReader& r) {
  TaskName = r.String();
  State = r.LongVarying1();
}

void TaskGetStateResponse::Write(NdrWriter& w, const TaskGetStateRequest&) const {
  w.LongVarying1(State);
  w.Long(ReturnValue);
}

void TaskGetStateResponse::Read(NdrReader& r, const TaskGetStateRequest&) {
  State = r.LongVarying1();
  ReturnValue = r.Long();
}

void TaskControlRequest::Write(NdrWriter& w) const {
  w.String(TaskName);
  w.LongVarying1(Command);
}

void TaskControlRequest::Read(NdrReader& r) {
  TaskName = r.String();
  Command = r.LongVarying1();
}

void TaskControlResponse::Write(NdrWriter& w, const TaskControlRequest&) const {
  w.LongVarying1(Command);
  w.Long(ReturnValue);
}

void TaskControlResponse::Read(NdrReader& r, const TaskControlRequest&) {
  Command = r.LongVarying1();
  ReturnValue = r.Long();
}

void ServerControlRequest::Write(NdrWriter& w) const {
  w.Long(Command);
}

void ServerControlRequest::Read(NdrReader& r) {
  Command = r.Long();
}

void ServerControlResponse::Write(NdrWriter& w, const ServerControlRequest&) const {
  w.Long(Command);
  w.Long(ReturnValue);
}

void ServerControlResponse::Read(NdrReader& r, const ServerControlRequest&) {
  Command = r.Long();
  ReturnValue = r.Long();
}

void TaskGetParamCountRequest::Write(NdrWriter& w) const {
  w.String(TaskName);
}

void TaskGetParamCountRequest::Read(NdrReader& r) {
  TaskName = r.String();
}

void TaskGetParamCountResponse::Write(NdrWriter& w, const TaskGetParamCountRequest&) const {
  w.LongArray1(Count);
  w.Long(ReturnValue);
}

void TaskGetParamCountResponse::Read(NdrReader& r, const TaskGetParamCountRequest&) {
  Count = r.LongArray1();
  ReturnValue = r.Long();
}

void TaskGetParamAtRequest::Write(NdrWriter& w) const {
  w.String(TaskName);
  w.Long(Index);
  w.Long(FirstTextCapacity);
  w.Long(SecondTextCapacity);
  w.Long(ThirdTextCapacity);
  w.Long(FourthTextCapacity);
}

void TaskGetParamAtRequest::Read(NdrReader& r) {
  TaskName = r.String();
  Index = r.Long();
  FirstTextCapacity = r.Long();
  SecondTextCapacity = r.Long();
  ThirdTextCapacity = r.Long();
  FourthTextCapacity = r.Long();
}

void TaskGetParamAtResponse::Write(NdrWriter& w, const TaskGetParamAtRequest& request) const {
  wire::WriteCounted(w, request.FirstTextCapacity, FirstText);
  wire::WriteCounted(w, request.SecondTextCapacity, SecondText);
  wire::WriteCounted(w, request.ThirdTextCapacity, ThirdText);
  wire::WriteCounted(w, request.FourthTextCapacity, FourthText);
  w.Long(ReturnValue);
}

void TaskGetParamAtResponse::Read(NdrReader& r, const TaskGetParamAtRequest& request) {
  FirstText = wire::ReadCounted(r, request.FirstTextCapacity);
  SecondText = wire::ReadCounted(r, request.SecondTextCapacity);
  ThirdText = wire::ReadCounted(r, request.ThirdTextCapacity);
  FourthText = wire::ReadCounted(r, request.FourthTextCapacity);
  ReturnValue = r.Long();
}

}  // namespace rpc
