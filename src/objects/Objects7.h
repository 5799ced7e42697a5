#pragma once
// The object stream library: versioned binary files of typed values, streamable classes
// with registration codes, and collections that own and stream their items. Plain C++;
// texts are 8-bit Windows-1250 std::string bytes, stored and read as they are.
//
// Files. A TFileVerInfo describes one kind of file. An application sets the header
// settings once and builds its descriptors at start-up, for example:
//
//     HeaderFormat = 1;
//     HeaderTexts = {"SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ",
//                    "TAVO           ", ">=95           "};
//     CatalogueVerInfo = std::make_unique<TFileVerInfo>(true, "KALPDFV_1.00");
//
// and opens such files with the versioned constructors:
//
//     auto Stream = TObjectStream::CreateVer(Name, *CatalogueVerInfo, fmOpenRead);
//     int32_t N = 0;
//     Stream->ReadInt(N);
//     TObjectCollection Catalogue(N);        // reserves little up front, whatever N says
//     for (int32_t I = 0; I < N; ++I) {
//         if (Stream->AtEnd()) ...           // a damaged file: stop rather than go on
//         std::unique_ptr<TStreamableObject> Item = LoadObject<TDocItem0>(*Stream);
//         Catalogue.InsertOwned(Item);
//     }
//
// Streamable classes derive from TStreamableObject (or TLinesItem), name themselves and
// override Load/Store (StreamableObject.h shows the few lines it takes). A class written
// with a class code declares `static int32_t ClassCode()` and is registered with
// RegisterStreamClass<T>() after the library has started.
//
// Errors: EFVersionError, EObjectStream and ECollectionError (ObjectsErrors.h) beside the
// framework's EFOpenError, EFCreateError, EReadError, EWriteError, EListError and
// EAbstractError; every message comes from the string table.
#include "BufferedFile.h"
#include "FileVerInfo.h"
#include "ObjectCollection.h"
#include "ObjectStream.h"
#include "ObjectsErrors.h"
#include "ObjectsModule.h"
#include "SortedCollection.h"
#include "StreamRegistry.h"
#include "StreamableObject.h"
