// Imported entries open where the outline leads: import, then build, then the real viewer
// on the real reader component shows each entry's page.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "CatalogueTool.h"
#include "TestEnvironment.h"
#include "ViewerTestSupport.h"
#include "catalogue/Catalogue.h"
#include "identity/ApplCons.h"

using namespace tavo;
namespace fs = std::filesystem;

namespace {

class ImportedEntries : public test::ViewerTest {};

TEST_F(ImportedEntries, OpenAtThePagesTheirOutlineItemsLeadTo)
{
    const fs::path documentation =
        test::TestFolder() / "disc" / "Setup" / "PdfViewer" / "Documentation";
    fs::create_directories(documentation);
    fs::copy_file(NESTED_DOCUMENT, documentation / "nested.pdf");
    objects::TFileVerInfo& verInfo = *identity::CatalogueVerInfo();

    std::ostringstream source, errors;
    ASSERT_EQ(catalogue::RunCatalogueTool({"import", NESTED_DOCUMENT}, verInfo, source, errors), 0)
        << errors.str();
    const fs::path sourceFile = test::TestFolder() / "contents.jsonl";
    std::ofstream(sourceFile) << source.str();
    const fs::path catalogueFile = documentation / catalogue::CatalogueFileName;
    ASSERT_EQ(catalogue::RunCatalogueTool({"build", sourceFile.string(), catalogueFile.string()},
                                          verInfo, source, errors),
              0)
        << errors.str();

    FFolder = catalogue::TDocumentFolder(documentation.string() + "/");
    std::unique_ptr<objects::TObjectCollection> entries =
        catalogue::LoadCatalogue(catalogueFile.string(), verInfo);
    ASSERT_EQ(entries->Count(), 7);
    auto viewer = ShowViewer(entries.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    // In an order that moves back and forth, so that no page is merely left as it was.
    const std::pair<const char*, int32_t> expected[] = {
        {"Appendix", 4}, {"Introduction", 1},   {"Thermostatic valves", 3}, {"Sizing", 2},
        {"Valves", 3},   {"Radiator guide", 1}, {"Pipes and fittings", 3}};
    for (const auto& [caption, page] : expected) {
        Select(*viewer, QString::fromUtf8(caption));
        EXPECT_EQ(ShownPage(*viewer), page) << caption;
    }
}

}  // namespace
