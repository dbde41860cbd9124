#include "gui/board_letters.h"
#include "gui/board_model.h"
#include "gui/data_directory.h"
#include "gui/drawing_piece_code.h"

#include <benchmark/benchmark.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <stdexcept>

namespace {

// Decodes the 14 board images at one square size, as the board does at start
// and whenever a redraw finds a new square size.
void decode_board_images(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (const char* name : image_file_names) {
            GdkPixbuf* image = gdk_pixbuf_new_from_file_at_scale(svg_path(TORVANE_SOURCE_DIR, name).c_str(), size,
                                                                 size, FALSE, nullptr);
            if (!image)
                throw std::runtime_error(std::string("cannot load ") + name);
            benchmark::DoNotOptimize(image);
            g_object_unref(image);
        }
    }
}
BENCHMARK(decode_board_images)->Arg(45)->Arg(70)->Arg(150)->Unit(benchmark::kMillisecond);

void show_placement(benchmark::State& state)
{
    BoardModel model;
    for (auto _ : state) {
        model.set_position(placement_letters("r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8"));
        benchmark::DoNotOptimize(model.shown_code(0));
    }
}
BENCHMARK(show_placement);

}
