#include "CheckResult.h"
#include "strings/StringIds.h"

namespace tavo::tools {

std::unique_ptr<TCheckResult> CheckResult;

namespace {

int32_t MissingMessage(uint8_t SubCode)
{
    if (SubCode < 2 || SubCode == scLookupEntry)
        return SFieldEmpty;
    if (SubCode == scLogical)
        return SNoLogicalValue;
    if (SubCode == scSymbol || SubCode == scVariableSymbol)
        return SSymbolMissing;
    return SNumberMissing;
}

int32_t InvalidMessage(uint8_t SubCode)
{
    if (SubCode < 2)
        return SIncorrectValue;
    if (SubCode == scLogical)
        return SNotLogicalValue;
    if (SubCode == scSymbol || SubCode == scVariableSymbol)
        return SSymbolInvalid;
    if (SubCode == scLookupEntry)
        return SNotInList;
    return SNotANumber;
}

}  // namespace

TCheckResult::TCheckResult()
{
    Reset();
}

bool TCheckResult::SetKind(int32_t K)
{
    if (K != MsgId) {
        Reset();
        MsgId = K;
    }
    Failed = Failed || K != ckNone;
    return Failed;
}

void TCheckResult::Reset()
{
    if (MsgId == ckNone)
        return;
    Clear();
    SubCode = 0;
    MsgId = ckNone;
    Value = MinValue = MaxValue = NullReal;
    CheckMessage.clear();
    InputText.clear();
    Symbol.clear();
    Extra.clear();
    UnitText.clear();
}

void TCheckResult::GetMessage(std::string& Text) const
{
    if (MsgId >= ckFirstStringId) {
        TParamsObject::GetMessage(Text);
        return;
    }
    // The details become the parameters of the kind's message.
    TParamsObject message;
    switch (MsgId) {
    case ckMissing:
        message.MsgId = MissingMessage(SubCode);
        break;
    case ckInvalidSymbol:
        message.MsgId = SSymbolInvalid;
        message.TextParams = {InputText};
        break;
    case ckInvalidValue:
        message.MsgId = InvalidMessage(SubCode);
        message.TextParams = {InputText};
        break;
    case ckOutOfRange:
        message.MsgId = SOutOfRange;
        message.RealParams = {Value, MinValue, MaxValue};
        message.TextParams = {UnitText};
        break;
    case ckUnknownVariable:
        message.MsgId = SUnknownVariable;
        message.TextParams = {Symbol};
        break;
    case ckMessage:
        message.MsgId = SMessage;
        message.TextParams = {CheckMessage};
        break;
    case ckVariableWithoutValue:
        message.MsgId = SVariableWithoutValue;
        message.TextParams = {Symbol};
        break;
    case ckNotInList:
        message.MsgId = SNotInList;
        message.TextParams = {InputText};
        break;
    case ckCustom:
        Text = CustomText;
        return;
    default:
        return;  // no failure, or a kind without a message: the text stays
    }
    message.GetMessage(Text);
}

}  // namespace tavo::tools
