#include "ReaderInterfaces.h"

#include <QRegularExpression>

namespace tavo::pdfreader {

using namespace platform;

TStatus InvokeByNumber(IPdfView& View, int32_t DispId, const QVariantList& Args, QVariant* Result)
{
    auto arg = [&](QMetaType::Type Type) -> TStatus {
        if (Args.size() != 1)
            return kStatusBadParamCount;
        if (Args[0].metaType().id() != Type)
            return kStatusTypeMismatch;
        return kStatusOk;
    };
    TStatus status = kStatusOk;
    switch (DispId) {
    case DispLoadFile: {
        if ((status = arg(QMetaType::QString)) != kStatusOk)
            return status;
        const bool loaded = View.Load(Args[0].toString());
        if (Result)
            *Result = loaded;
        return kStatusOk;
    }
    case DispSetCurrentPage:
        if ((status = arg(QMetaType::Int)) != kStatusOk)
            return status;
        View.ShowPage(Args[0].toInt());
        return kStatusOk;
    case DispSetNamedDest:
        if ((status = arg(QMetaType::QString)) != kStatusOk)
            return status;
        View.ShowDestination(Args[0].toString());
        return kStatusOk;
    case DispSetView:
        if ((status = arg(QMetaType::QString)) != kStatusOk)
            return status;
        ApplyViewText(View, Args[0].toString());
        return kStatusOk;
    default:
        return kStatusMemberNotFound;
    }
}

void ApplyViewText(IPdfView& View, const QString& Text)
{
    static const QRegularExpression fitH(QStringLiteral(R"(^\s*fith\s*(?:,\s*(-?[0-9.]+)\s*)?$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fit(QStringLiteral(R"(^\s*fit\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = fitH.match(Text);
    if (match.hasMatch())
        View.FitWidth(match.captured(1).toDouble());
    else if (fit.match(Text).hasMatch())
        View.FitPage();
}

}  // namespace tavo::pdfreader
