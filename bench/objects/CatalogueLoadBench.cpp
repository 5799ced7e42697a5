// Loading a 100,000-item collection of catalogue-like records through the object stream,
// against reading the same file into memory and decoding it in a plain loop.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "objects/Objects7.h"

using namespace tavo::objects;
namespace fs = std::filesystem;

namespace {

constexpr int32_t ItemCount = 100000;

// Fields and stored order of a catalogue entry.
class TBenchItem : public TLinesItem {
public:
    static constexpr std::string_view StaticClassName = "TBenchItem";
    static int32_t ClassCode() { return 700; }
    const TStreamClass& ClassType() const override { return StreamClassOf<TBenchItem>(); }

    void Load(TObjectStream& S) override
    {
        S.ReadInt(Level);
        S.ReadStr(Caption);
        S.ReadStr(Hint);
        S.ReadStr(FileName);
        S.ReadBool(VisibleForUser);
        S.ReadStr(Pages);
        S.ReadStr(Destination);
        S.ReadInt(CaptionTyp);
        S.ReadInt(Typ);
    }
    void Store(TObjectStream& S) const override
    {
        S.WriteInt(Level);
        S.WriteStr(Caption);
        S.WriteStr(Hint);
        S.WriteStr(FileName);
        S.WriteBool(VisibleForUser);
        S.WriteStr(Pages);
        S.WriteStr(Destination);
        S.WriteInt(CaptionTyp);
        S.WriteInt(Typ);
    }

    int32_t Level = 0;
    std::string Caption, Hint, FileName;
    bool VisibleForUser = true;
    std::string Pages, Destination;
    int32_t CaptionTyp = NullInt;
    int32_t Typ = NullInt;
};

// What the plain loop decodes into.
struct TRecord {
    int32_t Level;
    std::string Caption, Hint, FileName;
    bool VisibleForUser;
    std::string Pages, Destination;
    int32_t CaptionTyp, Typ;
};

struct TFixture {
    fs::path Folder;
    std::string File;
    std::string FlatFile;  // the catalogue's own layout: a count, then records without codes
    std::unique_ptr<TFileVerInfo> VerInfo;

    TFixture()
    {
        StartObjectsModule();
        RegisterStreamClass<TBenchItem>();
        HeaderFormat = 1;
        HeaderTexts = {"SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ", "TAVO           ",
                       ">=95           "};
        VerInfo = std::make_unique<TFileVerInfo>(true, "KALPDFV_1.00");
        Folder = fs::temp_directory_path() / ("objects-bench-" + std::to_string(getpid()));
        fs::create_directories(Folder);
        File = (Folder / "catalogue.pdfv").string();

        TObjectCollection Catalogue(ItemCount);
        for (int32_t I = 0; I < ItemCount; ++I) {
            auto* Item = new TBenchItem;
            Item->Level = I % 4;
            Item->Caption = "Chapter " + std::to_string(I) +
                            " \x8A"
                            "koda and heating loads";
            Item->Hint = I % 3 ? "" : "See also";
            Item->FileName = ":Docs\\Part" + std::to_string(I / 100) + ".pdf";
            Item->Pages = std::to_string(I % 300 + 1);
            Item->Destination = I % 2 ? "" : "dest" + std::to_string(I);
            Item->CaptionTyp = I % 10;
            Catalogue.Insert(Item);
        }
        TObjectStream Stream(File, *VerInfo, fmCreate);
        Catalogue.Store(Stream);
        FlatFile = (Folder / "flat.pdfv").string();
        TObjectStream Flat(FlatFile, *VerInfo, fmCreate);
        Flat.WriteInt(Catalogue.Count());
        Catalogue.ForEach([&](TStreamableObject* Item) { Item->Store(Flat); });
    }
    ~TFixture()
    {
        std::error_code Ignored;
        fs::remove_all(Folder, Ignored);
        StopObjectsModule();
    }
};

TFixture& Fixture()
{
    static TFixture F;
    return F;
}

void BM_LoadCollectionThroughObjectStream(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        TObjectStream Stream(F.File, *F.VerInfo, fmOpenRead);
        auto Catalogue = LoadObject<TObjectCollection>(Stream);
        if (Catalogue->Count() != ItemCount)
            State.SkipWithError("wrong count");
        benchmark::DoNotOptimize(Catalogue);
    }
    State.SetItemsProcessed(State.iterations() * ItemCount);
}

// As the documentation tab reads its catalogue: a count, then that many records.
void BM_LoadCatalogueRecordByRecord(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        TObjectStream Stream(F.FlatFile, *F.VerInfo, fmOpenRead);
        int32_t N = 0;
        Stream.ReadInt(N);
        TObjectCollection Catalogue(N);
        for (int32_t I = 0; I < N && !Stream.AtEnd(); ++I) {
            std::unique_ptr<TStreamableObject> Item = LoadObject<TBenchItem>(Stream);
            Catalogue.InsertOwned(Item);
        }
        if (Catalogue.Count() != ItemCount)
            State.SkipWithError("wrong count");
        benchmark::DoNotOptimize(Catalogue);
    }
    State.SetItemsProcessed(State.iterations() * ItemCount);
}

// The baseline: the whole file in memory, then one plain decoding loop.
void BM_BaselineReadIntoMemoryAndDecode(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        const auto Size = static_cast<size_t>(fs::file_size(F.File));
        std::unique_ptr<char[]> Bytes(new char[Size]);
        const int Handle = open(F.File.c_str(), O_RDONLY);
        size_t Got = 0;
        for (ssize_t N; Got < Size && (N = read(Handle, Bytes.get() + Got, Size - Got)) > 0;)
            Got += static_cast<size_t>(N);
        close(Handle);
        if (Got != Size)
            State.SkipWithError("short read");
        const char* P = Bytes.get() + 110;  // the long header with format 1
        auto Int = [&] {
            int32_t V;
            std::memcpy(&V, P, 4);
            P += 4;
            return V;
        };
        auto Str = [&] {
            uint16_t N;
            std::memcpy(&N, P, 2);
            std::string S(P + 2, N);
            P += 2 + N;
            return S;
        };
        const int32_t Count = Int();
        Int();  // capacity
        Int();  // step
        std::vector<TRecord> Records;
        Records.reserve(static_cast<size_t>(Count));
        for (int32_t I = 0; I < Count; ++I) {
            Int();  // class code
            TRecord R;
            R.Level = Int();
            R.Caption = Str();
            R.Hint = Str();
            R.FileName = Str();
            R.VisibleForUser = *P++ != 0;
            R.Pages = Str();
            R.Destination = Str();
            R.CaptionTyp = Int();
            R.Typ = Int();
            Records.push_back(std::move(R));
        }
        if (Records.size() != ItemCount)
            State.SkipWithError("wrong count");
        benchmark::DoNotOptimize(Records);
    }
    State.SetItemsProcessed(State.iterations() * ItemCount);
}

BENCHMARK(BM_LoadCollectionThroughObjectStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogueRecordByRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadIntoMemoryAndDecode)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
