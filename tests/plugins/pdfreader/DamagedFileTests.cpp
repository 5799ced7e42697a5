// Files that are no usable document: the control says so inside itself, reports no
// failure to the viewer (which would switch the reader off for the session), and opens
// the next file as usual.
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

#include "ReaderTestSupport.h"
#include "TestEnvironment.h"

namespace tavo::test {
namespace {

QByteArray Generated()
{
    QFile file(TestDoc("reader.pdf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A document whose standard security handler wants a password that nobody knows.
QByteArray Encrypted()
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<int> offsets;
    auto object = [&](const QByteArray& Body) {
        offsets << int(pdf.size());
        pdf += QByteArray::number(offsets.size()) + " 0 obj\n" + Body + "\nendobj\n";
    };
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>");
    const QByteArray o(32, 'O'), u(32, 'U');
    object("<< /Filter /Standard /V 1 /R 2 /O <" + o.toHex() + "> /U <" + u.toHex() + "> /P -4 >>");
    const int xref = int(pdf.size());
    pdf += "xref\n0 5\n0000000000 65535 f \n";
    for (int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size 5 /Root 1 0 R /Encrypt 4 0 R /ID [<0123456789abcdef0123456789abcdef> "
           "<0123456789abcdef0123456789abcdef>] >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

struct TBadFile {
    const char* Name;
    std::function<QByteArray()> Bytes;
    const char* Reason;
};

void PrintTo(const TBadFile& File, std::ostream* Out)
{
    *Out << File.Name;
}

class DamagedFile : public ::testing::TestWithParam<TBadFile> {};

TEST_P(DamagedFile, ShowsWhyInsideTheControlAndTheNextFileOpens)
{
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    TReaderHost host;
    const TBadFile& bad = GetParam();
    const auto path = TestFolder() / bad.Name;
    WriteFile(path, bad.Bytes().toStdString());
    host.LoadFile(QString::fromStdString(path.string()));  // raises nothing

    const QString message = host.Control()->property("message").toString();
    EXPECT_EQ(message, QStringLiteral("This document could not be opened: ") + bad.Reason);
    auto* label = host.Child<QLabel>("Message");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->accessibleName(), message);
    EXPECT_EQ(host.Reader()->PageCount(), 0);
    host.setCurrentPage(2);
    host.setNamedDest("far");
    host.setView("FitH,0");

    ASSERT_TRUE(host.AndWaitShown(1, [&] { host.LoadFile(TestDoc("reader.pdf")); }));
    EXPECT_TRUE(host.Control()->property("message").toString().isEmpty());
    EXPECT_FALSE(label->isVisible());
    EXPECT_EQ(host.Reader()->PageCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(TBadFile{"empty.pdf", [] { return QByteArray(); }, "the file is empty."},
                      TBadFile{"garbage.pdf", [] { return QByteArray(5000, '\x9c'); },
                               "the file is damaged or is not a PDF document."},
                      TBadFile{"truncated.pdf",
                               [] { return Generated().left(Generated().size() / 2); },
                               "the file is damaged or is not a PDF document."},
                      TBadFile{"header-only.pdf", [] { return Generated().left(200); },
                               "the file is damaged or is not a PDF document."},
                      TBadFile{"encrypted.pdf", Encrypted, "it is protected by a password."}),
    [](const auto& Info) {
        std::string name = Info.param.Name;
        name = name.substr(0, name.find('.'));
        std::erase(name, '-');
        return name;
    });

TEST(MissingFile, IsSaidToBeMissing)
{
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    TReaderHost host(TKind::kOlder);
    host.LoadFile(QStringLiteral("/nonexistent/Opis.pdf"));
    EXPECT_EQ(host.Control()->property("message").toString(),
              "This document could not be opened: the file was not found.");
    host.LoadFile(QString());  // unloading takes the message away
    EXPECT_TRUE(host.Control()->property("message").toString().isEmpty());
}

}  // namespace
}  // namespace tavo::test
