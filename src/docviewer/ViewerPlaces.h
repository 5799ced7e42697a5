#pragma once
// The places the user jumped from, for going back and forward as in any PDF viewer: each
// jump (a contents entry, a link, a search result, a typed page number) records the place it
// left; Back returns there, Forward undoes Back, and a new jump after Back drops what lay
// forward. Places lead across documents.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>

namespace tavo::docviewer {

struct TPlace {
    std::filesystem::path File;
    int32_t Page = 0;  // 1-based
    double Top = 0;    // points below the page's top

    bool operator==(const TPlace&) const = default;
};

class TPlaces {
public:
    // The oldest places go first beyond this.
    static constexpr size_t kLimit = 100;

    // A jump from Left.
    void Record(const TPlace& Left);
    // The place to go to, Current kept for the other direction; none at either end.
    std::optional<TPlace> Back(const TPlace& Current);
    std::optional<TPlace> Forward(const TPlace& Current);
    bool CanGoBack() const { return !FBack.empty(); }
    bool CanGoForward() const { return !FForward.empty(); }
    size_t BackCount() const { return FBack.size(); }

private:
    std::deque<TPlace> FBack;
    std::deque<TPlace> FForward;
};

}  // namespace tavo::docviewer
