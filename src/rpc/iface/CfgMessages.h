#pragma once
// Request and response bodies of the server configuration operations. The client functions and the node
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

struct CfgGetSectionCountResponse;

// Sections of the server configuration file.
struct CfgGetSectionCountRequest {
  static constexpr uint16_t kOpnum = opnum::CfgGetSectionCount;
  using Response = CfgGetSectionCountResponse;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct CfgGetSectionCountResponse {
  int32_t Status = 0;
  int32_t Count = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const CfgGetSectionCountRequest& request) const;
  void Read(NdrReader& r, const CfgGetSectionCountRequest& request);
};

struct CfgGetSectionAtResponse;

// One section; only its name is evaluated.
struct CfgGetSectionAtRequest {
  static constexpr uint16_t kOpnum = opnum::CfgGetSectionAt;
  using Response = CfgGetSectionAtResponse;

  int32_t Index = 0;
  int32_t SectionNameCapacity = 0;
  int32_t SecondTextCapacity = 0;
  int32_t ThirdTextCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct CfgGetSectionAtResponse {
  int32_t Status = 0;
  std::string SectionName;  // its length travels before it
  std::string SecondText;  // its length travels before it
  std::string ThirdText;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const CfgGetSectionAtRequest& request) const;
  void Read(NdrReader& r, const CfgGetSectionAtRequest& request);
};

struct CfgGetParamCountResponse;

// Parameters of one section.
struct CfgGetParamCountRequest {
  static constexpr uint16_t kOpnum = opnum::CfgGetParamCount;
  using Response = CfgGetParamCountResponse;

  std::string Section;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct CfgGetParamCountResponse {
  int32_t Status = 0;
  int32_t Count = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const CfgGetParamCountRequest& request) const;
  void Read(NdrReader& r, const CfgGetParamCountRequest& request);
};

struct CfgGetParamAtResponse;

// One parameter; only Key and Value are evaluated.
struct CfgGetParamAtRequest {
  static constexpr uint16_t kOpnum = opnum::CfgGetParamAt;
  using Response = CfgGetParamAtResponse;

  std::string Section;
  int32_t Index = 0;
  int32_t KeyCapacity = 0;
  int32_t ValueCapacity = 0;
  int32_t ThirdTextCapacity = 0;
  int32_t FourthTextCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct CfgGetParamAtResponse {
  int32_t Status = 0;
  std::string Key;  // its length travels before it
  std::string Value;  // its length travels before it
  std::string ThirdText;  // its length travels before it
  std::string FourthText;  // its length travels before it
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const CfgGetParamAtRequest& request) const;
  void Read(NdrReader& r, const CfgGetParamAtRequest& request);
};

}  // namespace rpc
