#pragma once
// The viewer's tests run on the real reader plugin and the sample disc's documentation:
// the library modules started as the shell starts them, the plugin folder given through
// TAVO_PLUGIN_PATH, the documentation folder pointing at the sample disc.
#include <QString>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "catalogue/DocCatalogue.h"
#include "docviewer/DMDocItem.h"
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
    // A viewer filled from Catalogue (read with the type table and FFolder), shown at
    // 900 x 600.
    std::unique_ptr<docviewer::TF_DocPDFViewer>
    ShowViewer(const objects::TObjectCollection* Catalogue);
    // Catalogue as the viewer takes it, read from FFolder's catalogue file as the shell
    // reads it; it lives as long as the test.
    const catalogue::TDocCatalogue* Doc(const objects::TObjectCollection* Catalogue);
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

    std::unique_ptr<docviewer::TDM_DocItem> FTypes;
    // The documentation folder: the sample disc's.
    catalogue::TDocumentFolder FFolder;
    std::vector<std::unique_ptr<catalogue::TDocCatalogue>> FCatalogues;
    int FWarnings = 0;
};

// The sample disc's documentation folder, with a trailing '/'.
std::string SampleDocumentation();
// A document of it as the catalogue finds it.
std::filesystem::path SampleFile(const std::string& Name);

}  // namespace tavo::test
