// Writes PDF documents for the sample disc and the tests with cairo, from a small text
// description, one command a line:
//
//   size 595 842              page size in points (default A4); before the first page
//   page Heading              starts a new page with a heading
//   text A paragraph.         a line of body text
//   dest NAME                 a named destination at the current line
//   link page N Text          a line of text linking to page N of this document
//   link dest NAME Text       a line of text linking to a named destination
//   uri ADDRESS Text          a line of text linking to a web or mail address
//   band R G B                a coloured band 12 points high across the text column
//   pages N Heading %d        N pages, each with the heading (%d: its number) and two lines
//   title Text                the document information's title
//   outline D dest NAME Text  an outline item at depth D (0 = top) leading to a destination
//   outline D page N Text     an outline item at depth D leading to page N
//   outlines D N NAME%d T %d  N outline items at depth D, each leading to a destination of
//                             its own (NAME with its number) on the current page, each
//                             written there as a line; for long documents
//   # comment
//
// Usage: tavo-pdfgen OUT.pdf DESCRIPTION.txt
#include <cairo-pdf.h>
#include <cairo.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

// Quotes a value for a cairo tag attribute: backslash and quote are escaped.
std::string Quoted(const std::string& value)
{
    std::string out = "'";
    for (char c : value) {
        if (c == '\\' || c == '\'')
            out += '\\';
        out += c;
    }
    return out + "'";
}

std::string WithNumber(std::string pattern, int number)
{
    const size_t at = pattern.find("%d");
    if (at != std::string::npos)
        pattern.replace(at, 2, std::to_string(number));
    return pattern;
}

struct Writer {
    cairo_surface_t* Surface = nullptr;
    cairo_t* Cr = nullptr;
    double Width = 595, Height = 842;
    double Y = 0;
    int Pages = 0;
    // Pages that links point to. cairo drops links made with "page=N", so each such page
    // gets a destination of its own at its top, and the links name it.
    std::set<int> LinkedPages;
    // The outline item last added at each depth: the parent of the next one deeper.
    std::vector<int> OutlineParents;
    int Outlines = 0;

    static std::string PageDest(int page) { return "tavo-page-" + std::to_string(page); }

    void Open(const std::string& file)
    {
        Surface = cairo_pdf_surface_create(file.c_str(), Width, Height);
        Cr = cairo_create(Surface);
    }
    void NewPage(const std::string& heading)
    {
        if (!Cr)
            return;
        if (Pages > 0)
            cairo_show_page(Cr);
        ++Pages;
        Y = 90;
        cairo_set_source_rgb(Cr, 0.05, 0.16, 0.37);
        cairo_rectangle(Cr, 0, 0, Width, 40);
        cairo_fill(Cr);
        cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(Cr, 20);
        cairo_set_source_rgb(Cr, 0, 0, 0);
        cairo_move_to(Cr, 72, Y);
        cairo_show_text(Cr, heading.c_str());
        Y += 34;
        Footer();
        if (LinkedPages.count(Pages)) {
            const std::string attrs = "name=" + Quoted(PageDest(Pages)) + " x=0 y=0";
            cairo_tag_begin(Cr, CAIRO_TAG_DEST, attrs.c_str());
            cairo_tag_end(Cr, CAIRO_TAG_DEST);
        }
    }
    void Footer()
    {
        cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(Cr, 9);
        cairo_set_source_rgb(Cr, 0.4, 0.4, 0.4);
        std::string n = "Page " + std::to_string(Pages);
        cairo_move_to(Cr, Width - 110, Height - 36);
        cairo_show_text(Cr, n.c_str());
    }
    void Text(const std::string& line, bool asLink = false)
    {
        if (Pages == 0)
            NewPage("");
        cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(Cr, 11);
        if (asLink)
            cairo_set_source_rgb(Cr, 0.0, 0.2, 0.8);
        else
            cairo_set_source_rgb(Cr, 0, 0, 0);
        cairo_move_to(Cr, 72, Y);
        cairo_show_text(Cr, line.c_str());
        Y += 16;
    }
    void Dest(const std::string& name)
    {
        if (Pages == 0)
            NewPage("");
        std::string attrs =
            "name=" + Quoted(name) + " x=72 y=" + std::to_string(static_cast<int>(Y - 12));
        cairo_tag_begin(Cr, CAIRO_TAG_DEST, attrs.c_str());
        cairo_tag_end(Cr, CAIRO_TAG_DEST);
    }
    // The link's area is the extent of the text drawn between begin and end.
    void Link(const std::string& attrs, const std::string& text)
    {
        if (Pages == 0)
            NewPage("");
        cairo_tag_begin(Cr, CAIRO_TAG_LINK, attrs.c_str());
        Text(text, true);
        cairo_tag_end(Cr, CAIRO_TAG_LINK);
    }
    void Band(double r, double g, double b)
    {
        if (Pages == 0)
            NewPage("");
        cairo_set_source_rgb(Cr, r, g, b);
        cairo_rectangle(Cr, 72, Y - 12, Width - 144, 12);
        cairo_fill(Cr);
        Y += 16;
    }
    void ManyPages(int count, const std::string& heading)
    {
        for (int i = 0; i < count; ++i) {
            NewPage(WithNumber(heading, Pages + 1));
            Text(WithNumber("Body text of page %d.", Pages));
            Text("Radiators are chosen for the design flow and return temperatures.");
        }
    }
    // False when the depth skips a level.
    bool Outline(size_t depth, const std::string& attrs, const std::string& text)
    {
        if (Pages == 0)
            NewPage("");
        if (depth > OutlineParents.size())
            return false;
        const int parent = depth == 0 ? CAIRO_PDF_OUTLINE_ROOT : OutlineParents[depth - 1];
        const int id = cairo_pdf_surface_add_outline(Surface, parent, text.c_str(), attrs.c_str(),
                                                     CAIRO_PDF_OUTLINE_FLAG_OPEN);
        OutlineParents.resize(depth);
        OutlineParents.push_back(id);
        return true;
    }
    bool Close()
    {
        if (!Cr)
            return false;
        if (Pages == 0)
            NewPage("");
        cairo_destroy(Cr);
        cairo_surface_finish(Surface);
        bool ok = cairo_surface_status(Surface) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(Surface);
        return ok;
    }
};

// Splits "first rest" at the first space.
std::pair<std::string, std::string> Head(const std::string& text)
{
    const size_t sp = text.find(' ');
    if (sp == std::string::npos)
        return {text, std::string()};
    return {text.substr(0, sp), text.substr(sp + 1)};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: tavo-pdfgen OUT.pdf DESCRIPTION.txt\n";
        return 2;
    }
    std::ifstream in(argv[2]);
    if (!in) {
        std::cerr << "tavo-pdfgen: cannot read " << argv[2] << "\n";
        return 1;
    }
    Writer w;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        int page = 0;
        if (std::sscanf(line.c_str(), "link page %d", &page) == 1)
            w.LinkedPages.insert(page);
    }
    int n = 0;
    auto fail = [&](const std::string& why) {
        std::cerr << argv[2] << ":" << n << ": " << why << "\n";
        return 1;
    };
    for (const std::string& line : lines) {
        ++n;
        if (line.empty() || line[0] == '#')
            continue;
        const auto [cmd, arg] = Head(line);
        if (cmd == "size" && !w.Cr) {
            if (std::sscanf(arg.c_str(), "%lf %lf", &w.Width, &w.Height) != 2)
                return fail("size needs width and height");
            continue;
        }
        if (!w.Cr)
            w.Open(argv[1]);
        if (cmd == "page") {
            w.NewPage(arg);
        } else if (cmd == "text") {
            w.Text(arg);
        } else if (cmd == "dest") {
            w.Dest(arg);
        } else if (cmd == "link") {
            const auto [kind, rest] = Head(arg);
            const auto [target, text] = Head(rest);
            if (kind == "page" && std::atoi(target.c_str()) > 0)
                w.Link("dest=" + Quoted(Writer::PageDest(std::atoi(target.c_str()))), text);
            else if (kind == "dest" && !target.empty())
                w.Link("dest=" + Quoted(target), text);
            else
                return fail("link needs 'page N' or 'dest NAME'");
        } else if (cmd == "uri") {
            const auto [address, text] = Head(arg);
            if (address.empty())
                return fail("uri needs an address");
            w.Link("uri=" + Quoted(address), text.empty() ? address : text);
        } else if (cmd == "band") {
            double r = 0, g = 0, b = 0;
            if (std::sscanf(arg.c_str(), "%lf %lf %lf", &r, &g, &b) != 3)
                return fail("band needs three colour components 0..1");
            w.Band(r, g, b);
        } else if (cmd == "pages") {
            const auto [count, heading] = Head(arg);
            const int pages = std::atoi(count.c_str());
            if (pages <= 0 || pages > 100000)
                return fail("pages needs a count from 1 to 100000");
            w.ManyPages(pages, heading);
        } else if (cmd == "title") {
            cairo_pdf_surface_set_metadata(w.Surface, CAIRO_PDF_METADATA_TITLE, arg.c_str());
        } else if (cmd == "outline" || cmd == "outlines") {
            auto [depth, rest] = Head(arg);
            int count = 1;
            if (cmd == "outlines") {
                auto [number, more] = Head(rest);
                count = std::atoi(number.c_str());
                rest = "dest " + more;
                if (count <= 0 || count > 100000)
                    return fail("outlines needs a count from 1 to 100000");
            }
            const auto [kind, more] = Head(rest);
            const auto [target, text] = Head(more);
            const int d = std::atoi(depth.c_str());
            for (int i = 0; i < count; ++i) {
                ++w.Outlines;
                const std::string name = WithNumber(target, w.Outlines);
                const std::string caption = WithNumber(text, w.Outlines);
                std::string attrs;
                if (kind == "page" && std::atoi(target.c_str()) > 0)
                    attrs = "page=" + target;
                else if (kind == "dest" && !target.empty())
                    attrs = "dest=" + Quoted(name);
                else
                    return fail("outline needs a depth and 'page N' or 'dest NAME'");
                if (cmd == "outlines") {
                    w.Dest(name);
                    w.Text(caption);
                }
                if (d < 0 || !w.Outline(static_cast<size_t>(d), attrs, caption))
                    return fail("an outline item's depth may be one more than the one before");
            }
        } else {
            return fail("unknown command '" + cmd + "'");
        }
    }
    if (!w.Cr)
        w.Open(argv[1]);
    if (!w.Close()) {
        std::cerr << "tavo-pdfgen: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
