#include "engines/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <ostream>

namespace {

using Lines = std::vector<std::string>;

// Feeds the chunks one after the other and collects every line handed out.
Lines split(const std::vector<std::string>& chunks, LineSplitter& splitter)
{
    Lines lines;
    for (const std::string& chunk : chunks) {
        for (std::string& line : splitter.feed(chunk.data(), chunk.size())) {
            lines.push_back(line);
        }
    }
    return lines;
}

struct SplitCase {
    const char* name;
    std::vector<std::string> chunks;
    Lines lines;
    std::string pending;
    bool carriage_return;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class LineSplitterCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitterCases, Lines)
{
    LineSplitter splitter;
    EXPECT_EQ(split(GetParam().chunks, splitter), GetParam().lines);
    EXPECT_EQ(splitter.pending(), GetParam().pending);
    EXPECT_EQ(splitter.carriage_return_seen(), GetParam().carriage_return);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, LineSplitterCases,
    ::testing::Values(
        SplitCase{"lf", {"a\nb\n"}, {"a", "b"}, "", false},
        SplitCase{"crlf", {"a\r\nb\r\n"}, {"a", "b"}, "", true},
        SplitCase{"crcrlf", {"a\r\r\nb\r\r\n"}, {"a", "b"}, "", true},
        SplitCase{"cr_only", {"a\rb\rc\r"}, {"a", "b", "c"}, "", true},
        SplitCase{"two_lf_make_an_empty_line", {"a\n\nb\n"}, {"a", "", "b"}, "", false},
        SplitCase{"crlf_twice_makes_an_empty_line", {"a\r\n\r\nb\n"}, {"a", "", "b"}, "", true},
        SplitCase{"crlf_across_chunks", {"a\r", "\nb\n"}, {"a", "b"}, "", true},
        SplitCase{"crcrlf_across_chunks", {"a\r", "\r", "\n", "b\n"}, {"a", "b"}, "", true},
        SplitCase{"unfinished_tail_waits", {"a\nbc"}, {"a"}, "bc", false},
        SplitCase{"tail_completed_later", {"a\nb", "c", "d\ne\n"}, {"a", "bcd", "e"}, "", false},
        SplitCase{"binary_bytes_pass", {std::string("x\0\xff\x01y\n", 6)}, {std::string("x\0\xff\x01y", 5)}, "",
                  false},
        SplitCase{"nothing", {""}, {}, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineSplitter, LongLineUnderTheLimitIsWhole)
{
    LineSplitter splitter;
    std::string line(40000, 'x');
    Lines lines = split({line.substr(0, 32768), line.substr(32768) + "\n"}, splitter);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], line);
}

TEST(LineSplitter, OverlongLineIsDroppedAndTheNextOneKept)
{
    LineSplitter splitter(100);
    Lines lines = split({std::string(70, 'a'), std::string(70, 'b'), "\nnext\n"}, splitter);
    EXPECT_EQ(lines, Lines{"next"});
    EXPECT_EQ(splitter.dropped_lines(), 1u);
    EXPECT_LE(splitter.pending().size(), 100u);
}

}
