#pragma once
// Every text the reader shows. The reader is a component of its own, so its texts live
// here rather than in the shell's string table; translate() keeps them translatable.
#include <QCoreApplication>
#include <QString>

namespace tavo::pdfreader::texts {

inline QString T(const char* Text)
{
    return QCoreApplication::translate("tavo::pdfreader::texts", Text);
}

inline QString CannotOpen(const QString& Reason)
{
    return T("This document could not be opened: %1").arg(Reason);
}
inline QString NotFound()
{
    return T("the file was not found.");
}
inline QString Unreadable()
{
    return T("the file cannot be read.");
}
inline QString Empty()
{
    return T("the file is empty.");
}
inline QString Damaged()
{
    return T("the file is damaged or is not a PDF document.");
}
inline QString Locked()
{
    return T("it is protected by a password.");
}
inline QString NoPages()
{
    return T("it has no pages; the file may be damaged or incomplete.");
}

inline QString PageFailed()
{
    return T("This page could not be shown.");
}

inline QString DocumentName()
{
    return T("Document");
}
inline QString PageNumber()
{
    return T("Page number");
}
inline QString PageOf(int Count)
{
    return T("/ %1").arg(Count);
}
inline QString PageInView(int Page, int Count)
{
    return T("Page %1 of %2").arg(Page).arg(Count);
}
// With the plural the language asks for: Qt's numerus forms where a translation is loaded,
// the English ones otherwise (no English catalogue is loaded).
inline QString PageOfDescription(int Count)
{
    const QString text =
        QCoreApplication::translate("tavo::pdfreader::texts", "of %n page(s)", nullptr, Count);
    if (!text.endsWith(QLatin1String("page(s)")))
        return text;
    return Count == 1 ? QStringLiteral("of 1 page") : QStringLiteral("of %1 pages").arg(Count);
}
inline QString ZoomIn()
{
    return T("Zoom in");
}
inline QString ZoomOut()
{
    return T("Zoom out");
}
inline QString ZoomLevel()
{
    return T("Zoom level");
}
inline QString FitWidth()
{
    return T("Fit width");
}
inline QString Find()
{
    return T("Find");
}
inline QString FindText()
{
    return T("Find text");
}
inline QString FindNext()
{
    return T("Find next");
}
inline QString FindPrevious()
{
    return T("Find previous");
}
inline QString FindNotFound()
{
    return T("Not found");
}
inline QString FindSearching()
{
    return T("Searching...");
}
inline QString Copy()
{
    return T("Copy");
}
inline QString Toolbar()
{
    return T("Document tools");
}

inline QString FitPage()
{
    return T("Fit page");
}
inline QString ActualSize()
{
    return T("Actual size (100%)");
}
inline QString Back()
{
    return T("Back");
}
inline QString Forward()
{
    return T("Forward");
}
inline QString Print()
{
    return T("Print...");
}
inline QString SaveCopy()
{
    return T("Save a copy...");
}
inline QString OpenExternally()
{
    return T("Open in the desktop's PDF viewer");
}
inline QString Printing(int Page, int Count)
{
    return T("Printing page %1 of %2...").arg(Page).arg(Count);
}
inline QString Cancel()
{
    return T("Cancel");
}
inline QString PrintFailed()
{
    return T("The document could not be printed: the printer did not accept the job.");
}
inline QString PrintReadFailed()
{
    return T("The document could not be printed: it could not be read again.");
}
inline QString SaveOverOriginal()
{
    return T("A copy cannot replace the document itself. Choose another folder or name.");
}
inline QString SaveFailed(const QString& FileName, const QString& Reason)
{
    return T("The copy could not be saved as %1: %2").arg(FileName, Reason);
}
inline QString OpenFailed()
{
    return T("No program to show PDF documents was found on this desktop.");
}
inline QString PdfFiles()
{
    return T("PDF documents (*.pdf)");
}

}  // namespace tavo::pdfreader::texts
