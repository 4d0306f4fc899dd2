#include "rpc/iface/CfgCalls.h"

#include "rpc/iface/CallSupport.h"
#include "rpc/iface/CfgMessages.h"

namespace rpc {

int32_t CfgGetSectionCount(CallTarget& target, int32_t* Status, int32_t* Count) {
  RequirePointers({Status, Count});
  const CfgGetSectionCountRequest request{};
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *Count = response.Count;
  return response.ReturnValue;
}

int32_t CfgGetSectionAt(CallTarget& target, int32_t* Status, int32_t Index,
                        int32_t SectionNameCapacity, int32_t* SectionNameLength, char* SectionName,
                        int32_t SecondTextCapacity, int32_t* SecondTextLength, char* SecondText,
                        int32_t ThirdTextCapacity, int32_t* ThirdTextLength, char* ThirdText) {
  RequirePointers({Status, SectionNameLength, SectionName, SecondTextLength, SecondText, ThirdTextLength, ThirdText});
  RequireLength(SectionNameCapacity);
  RequireLength(SecondTextCapacity);
  RequireLength(ThirdTextCapacity);
  CfgGetSectionAtRequest request;
  request.Index = Index;
  request.SectionNameCapacity = SectionNameCapacity;
  request.SecondTextCapacity = SecondTextCapacity;
  request.ThirdTextCapacity = ThirdTextCapacity;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  CopyOut(response.SectionName, SectionNameLength, SectionName);
  CopyOut(response.SecondText, SecondTextLength, SecondText);
  CopyOut(response.ThirdText, ThirdTextLength, ThirdText);
  return response.ReturnValue;
}

int32_t CfgGetParamCount(CallTarget& target, int32_t* Status, int32_t* Count, const char* Section) {
  RequirePointers({Status, Count, Section});
  CfgGetParamCountRequest request;
  request.Section = Section;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *Count = response.Count;
  return response.ReturnValue;
}

int32_t CfgGetParamAt(CallTarget& target, int32_t* Status, const char* Section, int32_t Index,
                      int32_t KeyCapacity, int32_t* KeyLength, char* Key, int32_t ValueCapacity,
                      int32_t* ValueLength, char* Value, int32_t ThirdTextCapacity,
                      int32_t* ThirdTextLength, char* ThirdText, int32_t FourthTextCapacity,
                      int32_t* FourthTextLength, char* FourthText) {
  RequirePointers({Status, Section, KeyLength, Key, ValueLength, Value, ThirdTextLength, ThirdText, FourthTextLength, FourthText});
  RequireLength(KeyCapacity);
  RequireLength(ValueCapacity);
  RequireLength(ThirdTextCapacity);
  RequireLength(FourthTextCapacity);
  CfgGetParamAtRequest request;
  request.Section = Section;
  request.Index = Index;
  request.KeyCapacity = KeyCapacity;
  request.ValueCapacity = ValueCapacity;
  request.ThirdTextCapacity = ThirdTextCapacity;
  request.FourthTextCapacity = FourthTextCapacity;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  CopyOut(response.Key, KeyLength, Key);
  CopyOut(response.Value, ValueLength, Value);
  CopyOut(response.ThirdText, ThirdTextLength, ThirdText);
  CopyOut(response.FourthText, FourthTextLength, FourthText);
  return response.ReturnValue;
}

}  // namespace rpc
