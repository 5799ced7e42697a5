// A split with two panes read from an arbitrary form text: whatever it accepts, it must
// write, and what it writes must read back into the same state.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Errors.h"
#include "split/OxSplit.h"
#include "tools/FormStreamText.h"

namespace {

std::unique_ptr<tavo::split::ToxSplit> NewSplit()
{
    using namespace tavo::split;
    auto split = std::make_unique<ToxSplit>();
    split->setObjectName(QStringLiteral("Split"));
    (new ToxScrollPane(split.get()))->setObjectName(QStringLiteral("TreePane"));
    (new ToxScrollPane(split.get()))->setObjectName(QStringLiteral("PDFPane"));
    return split;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    std::string written;
    try {
        auto split = NewSplit();
        tavo::tools::ReadComponentText(text, *split);
        written = tavo::tools::WriteComponentText(*split);
    } catch (const tavo::platform::Exception&) {
        return 0;
    }
    // Our own text reads without error and gives the same state.
    auto copy = NewSplit();
    tavo::tools::ReadComponentText(written, *copy);
    if (tavo::tools::WriteComponentText(*copy) != written)
        std::abort();
    return 0;
}
