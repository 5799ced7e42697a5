#pragma once
// A document's structure for the catalogue tool, read with Poppler's core: what the reader
// component's IPdfOutlineSource::Inspect answers. Nothing is shared between calls.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/PdfTextSource.h"

namespace tavo::pdfreader {

platform::TPdfFacts ReadPdfFacts(const QString& FileName, int32_t MaxDepth,
                                 const QStringList& Names);

}  // namespace tavo::pdfreader
