#include "SoakPlan.h"

#include <Qt>
#include <array>
#include <cstdio>
#include <utility>

namespace tavo::soak {

namespace {

// splitmix64: a whole, well-mixed stream from any seed; the standard library's
// distributions are not the same everywhere, so none is used.
class TRandom {
public:
    explicit TRandom(uint64_t Seed) : FState(Seed) {}
    uint64_t Next()
    {
        uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int N) { return static_cast<int>(Next() % static_cast<uint64_t>(N)); }
    double Unit() { return static_cast<double>(Next() >> 11) / static_cast<double>(1ull << 53); }

private:
    uint64_t FState;
};

struct TKey {
    int Key;
    int Modifiers;
};

// The keys a user of the shell reaches for, with their usual combinations.
constexpr std::array<TKey, 24> Keys{{
    {Qt::Key_Tab, 0},
    {Qt::Key_Tab, Qt::ShiftModifier},
    {Qt::Key_Return, 0},
    {Qt::Key_Escape, 0},
    {Qt::Key_F1, 0},
    {Qt::Key_F3, 0},
    {Qt::Key_F3, Qt::ShiftModifier},
    {Qt::Key_F5, 0},
    {Qt::Key_F6, 0},
    {Qt::Key_F6, Qt::ShiftModifier},
    {Qt::Key_F, Qt::ControlModifier},
    {Qt::Key_L, Qt::ControlModifier},
    {Qt::Key_Left, Qt::AltModifier},
    {Qt::Key_Right, Qt::AltModifier},
    {Qt::Key_Left, 0},
    {Qt::Key_Right, 0},
    {Qt::Key_Up, 0},
    {Qt::Key_Down, 0},
    {Qt::Key_PageUp, 0},
    {Qt::Key_PageDown, 0},
    {Qt::Key_Home, 0},
    {Qt::Key_End, 0},
    {Qt::Key_Space, 0},
    {Qt::Key_Backspace, 0},
}};

// Words of the sample manual, a folded and a misspelt one, and query syntax.
constexpr std::array<const char*, 12> Words{{"heating", "radiator", "install", "pipe", "kocioł",
                                             "grzejnik", "\"boiler room\"", "rad*", "pipe OR valve",
                                             "-", "zzzq", "ąę"}};

const char* KindName(TActionKind Kind)
{
    switch (Kind) {
    case TActionKind::Key:
        return "key";
    case TActionKind::Text:
        return "text";
    case TActionKind::Click:
        return "click";
    case TActionKind::DoubleClick:
        return "double-click";
    case TActionKind::Wheel:
        return "wheel";
    case TActionKind::Resize:
        return "resize";
    case TActionKind::Maximise:
        return "maximise";
    case TActionKind::SwitchTab:
        return "tab";
    case TActionKind::OpenEntry:
        return "entry";
    case TActionKind::SearchManual:
        return "search";
    case TActionKind::OpenResult:
        return "result";
    case TActionKind::TypeAddress:
        return "address";
    case TActionKind::StartInstaller:
        return "install";
    case TActionKind::StartProgram:
        return "start";
    }
    return "?";
}

// Weights out of 1000: mostly keys and clicks, as a user works; the slow commands (a
// program started, an installer run) rarely.
constexpr std::array<std::pair<TActionKind, int>, 14> Weights{{
    {TActionKind::Key, 300},
    {TActionKind::Text, 60},
    {TActionKind::Click, 250},
    {TActionKind::DoubleClick, 60},
    {TActionKind::Wheel, 80},
    {TActionKind::Resize, 15},
    {TActionKind::Maximise, 10},
    {TActionKind::SwitchTab, 60},
    {TActionKind::OpenEntry, 60},
    {TActionKind::SearchManual, 30},
    {TActionKind::OpenResult, 30},
    {TActionKind::TypeAddress, 41},
    {TActionKind::StartInstaller, 2},
    {TActionKind::StartProgram, 2},
}};

}  // namespace

TAction PlanAction(uint64_t Seed, uint64_t Step)
{
    // Each step has its own stream: what one step draws never shifts the next one.
    TRandom r(TRandom(Seed ^ 0x5EEDu).Next() + Step * 0xD1B54A32D192ED03ull);
    TAction a;
    int pick = r.Below(1000);
    for (const auto& [kind, weight] : Weights) {
        if (pick < weight) {
            a.Kind = kind;
            break;
        }
        pick -= weight;
    }
    a.X = r.Unit();
    a.Y = r.Unit();
    a.Double = r.Below(2) == 1;
    switch (a.Kind) {
    case TActionKind::Key: {
        // Letters as often as the other keys together.
        if (r.Below(2) == 0) {
            a.Key = Qt::Key_A + r.Below(26);
            a.Modifiers = r.Below(8) == 0 ? static_cast<int>(Qt::ShiftModifier) : 0;
        } else {
            const TKey& k = Keys[r.Below(static_cast<int>(Keys.size()))];
            a.Key = k.Key;
            a.Modifiers = k.Modifiers;
        }
        break;
    }
    case TActionKind::Text:
    case TActionKind::SearchManual:
        a.Text = Words[r.Below(static_cast<int>(Words.size()))];
        break;
    case TActionKind::Click:
    case TActionKind::DoubleClick: {
        const int b = r.Below(10);
        a.Button = b < 8 ? 1 : (b == 8 ? 2 : 3);
        break;
    }
    case TActionKind::Wheel:
        a.Delta = (r.Below(2) == 0 ? -120 : 120) * (1 + r.Below(3));
        break;
    case TActionKind::Resize:
        a.X = 0.3 + 0.7 * a.X;
        a.Y = 0.3 + 0.7 * a.Y;
        break;
    case TActionKind::SwitchTab:
        a.Index = r.Below(3);
        break;
    case TActionKind::OpenEntry:
    case TActionKind::OpenResult:
        a.Index = r.Below(40);
        break;
    case TActionKind::TypeAddress:
        a.Index = r.Below(LocalPageCount + 1);  // the last: a page the server does not have
        break;
    default:
        break;
    }
    return a;
}

std::string Describe(const TAction& A)
{
    char line[160];
    switch (A.Kind) {
    case TActionKind::Key:
        std::snprintf(line, sizeof line, "key 0x%x mod 0x%x", A.Key, A.Modifiers);
        break;
    case TActionKind::Text:
    case TActionKind::SearchManual:
        std::snprintf(line, sizeof line, "%s '%s'", KindName(A.Kind), A.Text.c_str());
        break;
    case TActionKind::Click:
    case TActionKind::DoubleClick:
    case TActionKind::Wheel:
    case TActionKind::Resize:
        std::snprintf(line, sizeof line, "%s %.3f,%.3f button %d delta %d", KindName(A.Kind), A.X,
                      A.Y, A.Button, A.Delta);
        break;
    default:
        std::snprintf(line, sizeof line, "%s %d%s", KindName(A.Kind), A.Index,
                      A.Double ? " double" : "");
        break;
    }
    return line;
}

}  // namespace tavo::soak
