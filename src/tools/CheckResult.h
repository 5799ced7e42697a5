#pragma once
// The outcome of a check of a field's text, kept as an object so that the caller can
// show it later as the user's message.
#include <cstdint>
#include <memory>
#include <string>

#include "ParamsObject.h"

namespace tavo::tools {

// Check kinds, held in MsgId; 100 and above: MsgId is a string number.
constexpr int32_t ckNone = 0;
constexpr int32_t ckMissing = 1;
constexpr int32_t ckInvalidSymbol = 4;
constexpr int32_t ckInvalidValue = 5;
constexpr int32_t ckOutOfRange = 6;
constexpr int32_t ckUnknownVariable = 7;
constexpr int32_t ckMessage = 8;
constexpr int32_t ckVariableWithoutValue = 9;
constexpr int32_t ckNotInList = 10;
constexpr int32_t ckCustom = 11;
constexpr int32_t ckFirstStringId = 100;

// Kinds of value under test (SubCode).
constexpr uint8_t scText = 0;
constexpr uint8_t scListEntry = 1;
constexpr uint8_t scLogical = 6;
constexpr uint8_t scNumber = 7;
constexpr uint8_t scSymbol = 8;
constexpr uint8_t scVariableSymbol = 9;
constexpr uint8_t scLookupEntry = 11;

class TCheckResult : public TParamsObject {
public:
    TCheckResult();

    bool Failed = false;
    uint8_t SubCode = 0;
    double Value = 0;
    double MinValue = 0;
    double MaxValue = 0;
    std::string InputText;
    std::string Symbol;
    std::string Extra;
    std::string UnitText;
    std::string CustomText;
    std::string CheckMessage;

    int32_t Kind() const { return MsgId; }
    // A new kind clears the details of the old one; Failed only ever turns on here.
    bool SetKind(int32_t K);
    // Clears the details unless the kind is already 0; CustomText, MsgId2 and Failed stay.
    void Reset();

    void GetMessage(std::string& Text) const override;
};

// The record of the last text check, shared by the whole program; the utility module
// creates it at start and frees it at shutdown.
extern std::unique_ptr<TCheckResult> CheckResult;

}  // namespace tavo::tools
