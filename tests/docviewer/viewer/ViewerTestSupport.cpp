#include "ViewerTestSupport.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QTest>
#include <cstdlib>

#include "QtTestHelpers.h"
#include "catalogue/Catalogue.h"
#include "docviewer/FAdobeRader6Warrning.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ReaderControl.h"
#include "docviewer/ReaderPool.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsModule.h"
#include "platform/Codec.h"
#include "platform/ComponentRegistry.h"
#include "tools/ToolsModule.h"

namespace tavo::test {

std::string SampleDocumentation()
{
    return std::string(SAMPLE_DOCUMENTATION) + "/";
}

std::filesystem::path SampleFile(const std::string& Name)
{
    return std::filesystem::weakly_canonical(SampleDocumentation() + Name);
}

void ViewerTest::SetUp()
{
    objects::StartObjectsModule();
    tools::StartToolsModule();
    identity::StartApplCons();
    docviewer::StartViewerModule();
    FTypes = std::make_unique<docviewer::TDM_DocItem>();
    FFolder = catalogue::TDocumentFolder(SampleDocumentation());
    docviewer::ReaderSetupPath.clear();
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    // The warning is the subject of tests of its own; here it is answered "never again".
    docviewer::SetWarningPresenter([this](docviewer::TF_AdobeRader6Warrning& Form) {
        ++FWarnings;
        Form.CB_DontShowAgain->setChecked(true);
    });
}

void ViewerTest::TearDown()
{
    docviewer::SetWarningPresenter({});
    docviewer::StopViewerModule();
    FTypes.reset();
    identity::StopApplCons();
    tools::StopToolsModule();
    objects::StopObjectsModule();
}

void ViewerTest::UsePluginFolder(const QString& Folder)
{
    ::setenv("TAVO_PLUGIN_PATH", Folder.toLocal8Bit().constData(), 1);
    platform::TComponentRegistry::Instance().Rescan();
}

catalogue::TDocItem0* ViewerTest::Entry(int32_t Level, const std::string& Caption,
                                        const std::string& File, const std::string& Pages,
                                        const std::string& Destination, int32_t Type)
{
    auto* item = new catalogue::TDocItem0;
    item->SetLevel(Level);
    item->SetCaption(platform::Utf8ToAnsiLossy(Caption));  // the catalogue's code page
    item->SetStoredFileName(File);
    item->SetPages(Pages);
    item->SetDestination(Destination);
    item->SetCaptionTyp(Type);
    return item;
}

std::unique_ptr<docviewer::TF_DocPDFViewer>
ViewerTest::ShowViewer(const objects::TObjectCollection* Catalogue)
{
    auto viewer = std::make_unique<docviewer::TF_DocPDFViewer>();
    viewer->resize(900, 600);
    viewer->FillTree(Doc(Catalogue), FTypes->Glyphs);
    viewer->show();
    viewer->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(viewer.get()));
    return viewer;
}

const catalogue::TDocCatalogue* ViewerTest::Doc(const objects::TObjectCollection* Catalogue)
{
    static const objects::TObjectCollection none;
    FCatalogues.push_back(std::make_unique<catalogue::TDocCatalogue>(
        Catalogue ? *Catalogue : none, FTypes->DocTypes(), FFolder,
        FFolder.ResolveInside(catalogue::CatalogueFileName)));
    return FCatalogues.back().get();
}

bool ViewerTest::WaitForControl(docviewer::TF_DocPDFViewer& Viewer)
{
    return WaitFor([&] { return Viewer.CurrentControl() != nullptr && !Viewer.ControlPending(); });
}

QModelIndex ViewerTest::Node(docviewer::TF_DocPDFViewer& Viewer, const QString& Caption)
{
    const QAbstractItemModel* model = Viewer.PdfTreeView->model();
    QModelIndexList found = model->match(model->index(0, 0), Qt::DisplayRole, Caption, 1,
                                         Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

void ViewerTest::Select(docviewer::TF_DocPDFViewer& Viewer, const QString& Caption)
{
    QModelIndex node = Node(Viewer, Caption);
    ASSERT_TRUE(node.isValid()) << Caption.toStdString();
    Viewer.PdfTreeView->setCurrentIndex(node);
}

int32_t ViewerTest::ShownPage(docviewer::TF_DocPDFViewer& Viewer)
{
    docviewer::TReaderControl* control = Viewer.CurrentControl();
    if (!control || !control->View())
        return -1;
    return control->View()->CurrentPage();
}

QVariant ViewerTest::ReaderProperty(docviewer::TF_DocPDFViewer& Viewer, const char* Name)
{
    docviewer::TReaderControl* control = Viewer.CurrentControl();
    return control && control->Control() ? control->Control()->property(Name) : QVariant();
}

}  // namespace tavo::test
