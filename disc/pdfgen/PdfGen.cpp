// Writes PDF documents for the sample disc and the tests with cairo, from a small text
// description, one command a line:
//
//   size 595 842          page size in points (default A4)
//   page Heading          starts a new page with a heading
//   text A paragraph.     a line of body text
//   dest NAME             a named destination at the current line
//   # comment
//
// Usage: tavo-pdfgen OUT.pdf DESCRIPTION.txt
#include <cairo-pdf.h>
#include <cairo.h>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

struct Writer {
    cairo_surface_t* Surface = nullptr;
    cairo_t* Cr = nullptr;
    double Width = 595, Height = 842;
    double Y = 0;
    int Pages = 0;

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
    }
    void Footer()
    {
        cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(Cr, 9);
        cairo_set_source_rgb(Cr, 0.4, 0.4, 0.4);
        std::string n = "Page " + std::to_string(Pages);
        cairo_move_to(Cr, Width - 110, Height - 36);
        cairo_show_text(Cr, n.c_str());
    }
    void Text(const std::string& line)
    {
        if (Pages == 0)
            NewPage("");
        cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(Cr, 11);
        cairo_set_source_rgb(Cr, 0, 0, 0);
        cairo_move_to(Cr, 72, Y);
        cairo_show_text(Cr, line.c_str());
        Y += 16;
    }
    void Dest(const std::string& name)
    {
        if (Pages == 0)
            NewPage("");
        std::string attrs = "name='" + name + "' x=72 y=" + std::to_string(static_cast<int>(Y - 12));
        cairo_tag_begin(Cr, CAIRO_TAG_DEST, attrs.c_str());
        cairo_tag_end(Cr, CAIRO_TAG_DEST);
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
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        size_t sp = line.find(' ');
        std::string cmd = line.substr(0, sp);
        std::string arg = sp == std::string::npos ? std::string() : line.substr(sp + 1);
        if (cmd == "size" && !w.Cr) {
            if (std::sscanf(arg.c_str(), "%lf %lf", &w.Width, &w.Height) != 2) {
                std::cerr << argv[2] << ":" << n << ": size needs width and height\n";
                return 1;
            }
            continue;
        }
        if (!w.Cr)
            w.Open(argv[1]);
        if (cmd == "page")
            w.NewPage(arg);
        else if (cmd == "text")
            w.Text(arg);
        else if (cmd == "dest")
            w.Dest(arg);
        else {
            std::cerr << argv[2] << ":" << n << ": unknown command '" << cmd << "'\n";
            return 1;
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
