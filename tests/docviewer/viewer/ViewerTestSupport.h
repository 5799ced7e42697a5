#pragma once
// The viewer's tests run on the real reader plugin and the sample disc's documentation:
// the library modules started as the shell starts them, the plugin folder given through
// TAVO_PLUGIN_PATH, the documentation folder pointing at the sample disc.
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "catalogue/DMDocItem.h"
#include "catalogue/DocItem.h"
#include "docviewer/FDOCPDFViewer.h"
#include "objects/Objects7.h"

namespace tavo::test {

// Started modules, the type table and a warning that answers for itself.
class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes Folder the only plugin folder (empty: none at all).
    static void UsePluginFolder(const QString& Folder);

    // An entry of the documentation: File as the catalogue stores it (":Opis.pdf").
    static catalogue::TDocItem0* Entry(int32_t Level, const std::string& Caption,
                                       const std::string& File, const std::string& Pages = {},
                                       const std::string& Destination = {},
                                       int32_t Type = objects::NullInt);
    // A viewer filled from Catalogue, shown at 900 x 600.
    std::unique_ptr<docviewer::TF_DocPDFViewer>
    ShowViewer(const objects::TObjectCollection* Catalogue);
    // Waits for the first tick to have obtained a control.
    static bool WaitForControl(docviewer::TF_DocPDFViewer& Viewer);
    // The node whose caption is Caption.
    static QModelIndex Node(docviewer::TF_DocPDFViewer& Viewer, const QString& Caption);
    // Selects Caption's node as a user would.
    static void Select(docviewer::TF_DocPDFViewer& Viewer, const QString& Caption);
    // The page the reader shows (1-based).
    static int32_t ShownPage(docviewer::TF_DocPDFViewer& Viewer);
    // A property of the reader component itself ("fitWidth").
    static QVariant ReaderProperty(docviewer::TF_DocPDFViewer& Viewer, const char* Name);

    std::unique_ptr<catalogue::TDM_DocItem> FTypes;
    int FWarnings = 0;
};

// The sample disc's documentation folder, with a trailing '/'.
std::string SampleDocumentation();

}  // namespace tavo::test
