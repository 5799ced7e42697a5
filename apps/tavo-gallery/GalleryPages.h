#pragma once
// The component gallery's pages. Each page registers itself from its own source file in
// pages/, so a subsystem adds its page without touching the others.
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace tavo::gallery {

struct GalleryPage {
    int Order;  // position among the pages
    QString Title;
    std::function<QWidget*(QWidget* Parent)> Create;
};

std::vector<GalleryPage>& GalleryPages();

// At namespace scope in a page's source: static GalleryPageRegistration reg{...};
struct GalleryPageRegistration {
    GalleryPageRegistration(int Order, QString Title, std::function<QWidget*(QWidget*)> Create)
    {
        GalleryPages().push_back({Order, std::move(Title), std::move(Create)});
    }
};

}  // namespace tavo::gallery
