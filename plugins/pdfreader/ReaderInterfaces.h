#pragma once
// The design's two interfaces over the typed one, at the component's edge: the older one
// by dispatch number, and the view texts ("FitH,0") that both of them pass.
#include <QString>
#include <QVariant>

#include "platform/PdfReaderControl.h"

namespace tavo::pdfreader {

// Runs the operation DispId with Args on View. Arguments must have exactly the declared
// types: others give kStatusTypeMismatch, another count kStatusBadParamCount, an unknown
// number kStatusMemberNotFound. LoadFile's result is whether a document shows.
platform::TStatus InvokeByNumber(platform::IPdfView& View, int32_t DispId, const QVariantList& Args,
                                 QVariant* Result);

// "FitH" or "FitH,top" (top in points from the page's top) and "Fit"; letter case and
// spaces do not matter. Other views are left alone.
void ApplyViewText(platform::IPdfView& View, const QString& Text);

}  // namespace tavo::pdfreader
