// Renders SVG files at one size onto a light and a dark square each and saves
// the result as one PNG sheet: a column per file, the light row above the dark.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr guint32 light_square = 0xe9c794ff;
constexpr guint32 dark_square = 0xa0683aff;

bool paste(GdkPixbuf* sheet, const char* path, int size, int column)
{
    GError* error = nullptr;
    GdkPixbuf* image = gdk_pixbuf_new_from_file_at_scale(path, size, size, FALSE, &error);
    if (!image) {
        std::cerr << path << ": " << error->message << '\n';
        g_error_free(error);
        return false;
    }
    for (int row = 0; row < 2; ++row) {
        GdkPixbuf* cell = gdk_pixbuf_new_subpixbuf(sheet, column * size, row * size, size, size);
        gdk_pixbuf_fill(cell, row == 0 ? light_square : dark_square);
        gdk_pixbuf_composite(image, cell, 0, 0, size, size, 0, 0, 1, 1, GDK_INTERP_NEAREST, 255);
        g_object_unref(cell);
    }
    g_object_unref(image);
    return true;
}

}

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::cerr << "usage: svg_preview <sheet.png> <size> <file.svg>...\n";
        return 2;
    }
    const int size = std::atoi(argv[2]);
    const int files = argc - 3;
    if (size < 8 || size > 1000) {
        std::cerr << "svg_preview: size must be 8..1000\n";
        return 2;
    }
    GdkPixbuf* sheet = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, size * files, size * 2);
    bool all_loaded = true;
    for (int column = 0; column < files; ++column)
        all_loaded = paste(sheet, argv[column + 3], size, column) && all_loaded;
    GError* error = nullptr;
    const bool saved = gdk_pixbuf_save(sheet, argv[1], "png", &error, nullptr);
    if (!saved) {
        std::cerr << argv[1] << ": " << error->message << '\n';
        g_error_free(error);
    }
    g_object_unref(sheet);
    return saved && all_loaded ? 0 : 1;
}
