// The image files are checked as drawn by gdk-pixbuf's SVG loader, the loader
// the board uses, at the smallest and a large square size.

#include "gui/data_directory.h"
#include "gui/drawing_piece_code.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Rgba {
    int red;
    int green;
    int blue;
    int alpha;
    int brightness() const { return (red + green + blue) / 3; }
};

// A decoded image, read pixel by pixel.
class Picture {
public:
    Picture(const std::string& path, int size)
    {
        GError* error = nullptr;
        m_pixbuf.reset(gdk_pixbuf_new_from_file_at_scale(path.c_str(), size, size, FALSE, &error));
        if (error) {
            m_error = error->message;
            g_error_free(error);
        }
    }

    bool loaded() const { return m_pixbuf != nullptr; }
    const std::string& error() const { return m_error; }
    int width() const { return gdk_pixbuf_get_width(m_pixbuf.get()); }
    int height() const { return gdk_pixbuf_get_height(m_pixbuf.get()); }

    Rgba at(int x, int y) const
    {
        const guchar* row = gdk_pixbuf_read_pixels(m_pixbuf.get()) + y * gdk_pixbuf_get_rowstride(m_pixbuf.get());
        const int channels = gdk_pixbuf_get_n_channels(m_pixbuf.get());
        const guchar* pixel = row + x * channels;
        return Rgba{pixel[0], pixel[1], pixel[2], channels == 4 ? pixel[3] : 255};
    }

private:
    struct Unref {
        void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
    };
    std::unique_ptr<GdkPixbuf, Unref> m_pixbuf;
    std::string m_error;
};

struct Coverage {
    int opaque = 0;
    int light = 0;
    int dark = 0;
};

Coverage coverage_of(const Picture& picture)
{
    Coverage coverage;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgba pixel = picture.at(x, y);
            if (pixel.alpha < 200)
                continue;
            ++coverage.opaque;
            coverage.light += pixel.brightness() > 200;
            coverage.dark += pixel.brightness() < 70;
        }
    return coverage;
}

const std::vector<int> piece_codes{1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13};

class PieceImageTest : public testing::TestWithParam<int> {};

TEST_P(PieceImageTest, PiecesStandOnATransparentGround)
{
    for (int code : piece_codes) {
        const Picture picture(svg_path(image_file_names[code]), GetParam());
        ASSERT_TRUE(picture.loaded()) << image_file_names[code] << ": " << picture.error();
        EXPECT_EQ(picture.width(), GetParam());
        const int last = GetParam() - 1;
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{last, 0}, std::pair{0, last}, std::pair{last, last}})
            EXPECT_EQ(picture.at(x, y).alpha, 0) << image_file_names[code];
        const Coverage coverage = coverage_of(picture);
        const int area = GetParam() * GetParam();
        // Big enough to read, small enough to leave the square's texture around it.
        EXPECT_GT(coverage.opaque, area / 6) << image_file_names[code];
        EXPECT_LT(coverage.opaque, area * 2 / 3) << image_file_names[code];
    }
}

TEST_P(PieceImageTest, WhitePiecesAreLightWithADarkOutlineBlackOnesTheOpposite)
{
    for (int code : piece_codes) {
        const Coverage coverage = coverage_of(Picture(svg_path(image_file_names[code]), GetParam()));
        const bool white = code < dark_square_code;
        const int body = white ? coverage.light : coverage.dark;
        const int outline = white ? coverage.dark : coverage.light;
        EXPECT_GT(body * 5, coverage.opaque * 2) << image_file_names[code];
        EXPECT_GT(body, outline) << image_file_names[code];
        EXPECT_GT(outline, coverage.opaque / 12) << image_file_names[code];
    }
}

// Any two kinds differ in at least an eighth of the area they cover, at either size.
TEST_P(PieceImageTest, EachKindHasItsOwnSilhouette)
{
    std::vector<std::unique_ptr<Picture>> pictures;
    for (int code = 1; code <= 6; ++code)
        pictures.push_back(std::make_unique<Picture>(svg_path(image_file_names[code]), GetParam()));
    const int size = GetParam();
    for (std::size_t a = 0; a < pictures.size(); ++a) {
        for (std::size_t b = a + 1; b < pictures.size(); ++b) {
            int differing = 0;
            int covered = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const bool in_a = pictures[a]->at(x, y).alpha >= 128;
                    const bool in_b = pictures[b]->at(x, y).alpha >= 128;
                    differing += in_a != in_b;
                    covered += in_a || in_b;
                }
            EXPECT_GT(differing * 8, covered) << image_file_names[a + 1] << " and " << image_file_names[b + 1];
        }
    }
}

TEST_P(PieceImageTest, WhiteAndBlackPiecesShareTheirShape)
{
    const int size = GetParam();
    for (int code = 1; code <= 6; ++code) {
        const Picture white(svg_path(image_file_names[code]), size);
        const Picture black(svg_path(image_file_names[code + 7]), size);
        int differing = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                differing += (white.at(x, y).alpha >= 128) != (black.at(x, y).alpha >= 128);
        EXPECT_LT(differing, size * size / 100) << image_file_names[code];
    }
}

INSTANTIATE_TEST_SUITE_P(SquareSizes, PieceImageTest, testing::Values(45, 150));

TEST(SquareImageTest, TexturesCoverTheSquareLightAboveDark)
{
    for (int size : {45, 150}) {
        const Picture light(svg_path("wood_l.svg"), size);
        const Picture dark(svg_path("wood_d.svg"), size);
        ASSERT_TRUE(light.loaded() && dark.loaded());
        long light_sum = 0;
        long dark_sum = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                EXPECT_EQ(light.at(x, y).alpha, 255);
                EXPECT_EQ(dark.at(x, y).alpha, 255);
                light_sum += light.at(x, y).brightness();
                dark_sum += dark.at(x, y).brightness();
            }
        EXPECT_GT(light_sum / (size * size), 160);
        EXPECT_LT(dark_sum / (size * size), 120);
    }
}

TEST(OtherImageTest, NavigationIconsAndLogoLoadAtTheirOwnSize)
{
    for (const char* name : {"goto_first.svg", "go_backward.svg", "go_forward.svg", "goto_last.svg", "logo.svg"}) {
        GError* error = nullptr;
        GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(svg_path(name).c_str(), &error);
        ASSERT_NE(pixbuf, nullptr) << name << ": " << error->message;
        EXPECT_GE(gdk_pixbuf_get_width(pixbuf), 24) << name;
        EXPECT_EQ(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf)) << name;
        g_object_unref(pixbuf);
    }
}

TEST(DataDirectoryTest, TheWorkingDirectoryComesFirst)
{
    EXPECT_EQ(data_prefix(), "");
    EXPECT_EQ(svg_path("WhiteKing.svg"), "torvane.files/svg/WhiteKing.svg");
    EXPECT_EQ(svg_path("/usr/games/", "logo.svg"), "/usr/games/torvane.files/svg/logo.svg");
}

}
