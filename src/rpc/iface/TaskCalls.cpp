#include "rpc/iface/TaskCalls.h"

#include "rpc/iface/CallSupport.h"
#include "rpc/iface/TaskMessages.h"

namespace rpc {

int32_t TaskGetCount(CallTarget& target, int32_t* Count) {
  RequirePointers({Count});
  const TaskGetCountRequest request{};
  const auto response = Exchange(target, request);
  *Count = response.Count;
  return response.ReturnValue;
}

int32_t TaskGetAt(CallTarget& target, int32_t Index, int32_t TaskNameCapacity,
                  int32_t* TaskNameLength, char* TaskName, int32_t CommentCapacity,
                  int32_t* CommentLength, char* Comment) {
  RequirePointers({TaskNameLength, TaskName, CommentLength, Comment});
  RequireLength(TaskNameCapacity);
  RequireLength(CommentCapacity);
  TaskGetAtRequest request;
  request.Index = Index;
  request.TaskNameCapacity = TaskNameCapacity;
  request.CommentCapacity = CommentCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.TaskName, TaskNameLength, TaskName);
  CopyOut(response.Comment, CommentLength, Comment);
  return response.ReturnValue;
}

int32_t TaskGetState(CallTarget& target, const char* TaskName, int32_t* State) {
  RequirePointers({TaskName, State});
  TaskGetStateRequest request;
  request.TaskName = TaskName;
  request.State = *State;
  const auto response = Exchange(target, request);
  *State = response.State;
  return response.ReturnValue;
}

int32_t TaskControl(CallTarget& target, const char* TaskName, int32_t* Command) {
  RequirePointers({TaskName, Command});
  TaskControlRequest request;
  request.TaskName = TaskName;
  request.Command = *Command;
  const auto response = Exchange(target, request);
  *Command = response.Command;
  return response.ReturnValue;
}

int32_t ServerControl(CallTarget& target, int32_t* Command) {
  RequirePointers({Command});
  ServerControlRequest request;
  request.Command = *Command;
  const auto response = Exchange(target, request);
  *Command = response.Command;
  return response.ReturnValue;
}

int32_t TaskGetParamCount(CallTarget& target, const char* TaskName, int32_t* Count) {
  RequirePointers({TaskName, Count});
  TaskGetParamCountRequest request;
  request.TaskName = TaskName;
  const auto response = Exchange(target, request);
  *Count = response.Count;
  return response.ReturnValue;
}

int32_t TaskGetParamAt(CallTarget& target, const char* TaskName, int32_t Index,
                       int32_t FirstTextCapacity, int32_t* FirstTextLength, char* FirstText,
                       int32_t SecondTextCapacity, int32_t* SecondTextLength, char* SecondText,
                       int32_t ThirdTextCapacity, int32_t* ThirdTextLength, char* ThirdText,
                       int32_t FourthTextCapacity, int32_t* FourthTextLength, char* FourthText) {
  RequirePointers({TaskName, FirstTextLength, FirstText, SecondTextLength, SecondText, ThirdTextLength, ThirdText, FourthTextLength, FourthText});
  RequireLength(FirstTextCapacity);
  RequireLength(SecondTextCapacity);
  RequireLength(ThirdTextCapacity);
  RequireLength(FourthTextCapacity);
  TaskGetParamAtRequest request;
  request.TaskName = TaskName;
  request.Index = Index;
  request.FirstTextCapacity = FirstTextCapacity;
  request.SecondTextCapacity = SecondTextCapacity;
  request.ThirdTextCapacity = ThirdTextCapacity;
  request.FourthTextCapacity = FourthTextCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.FirstText, FirstTextLength, FirstText);
  CopyOut(response.SecondText, SecondTextLength, SecondText);
  CopyOut(response.ThirdText, ThirdTextLength, ThirdText);
  CopyOut(response.FourthText, FourthTextLength, FourthText);
  return response.ReturnValue;
}

}  // namespace rpc
