#include "engines/xboard_output.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct AnnouncedCase {
    std::string line;
    std::optional<std::string> move;
    XboardLineKind kind;
};

std::ostream& operator<<(std::ostream& out, const AnnouncedCase& param) { return out << param.line; }

class AnnouncedMove : public testing::TestWithParam<AnnouncedCase> {};

TEST_P(AnnouncedMove, IsReadOnlyFromMoveLines)
{
    EXPECT_EQ(xboard_announced_move(GetParam().line), GetParam().move);
    EXPECT_EQ(classify_xboard_line(GetParam().line), GetParam().kind);
}

// Lines as Debian's engines print them: gnuchess announces "1. ... g1f3"
// then "My move is : g1f3" for either colour; hoichess puts "1. ... Rxa1+"
// inside thinking lines; sjeng draws its board on lines starting with a rank.
INSTANTIATE_TEST_SUITE_P(
    Lines, AnnouncedMove,
    testing::Values(AnnouncedCase{"move e2e4", "e2e4", XboardLineKind::move},
                    AnnouncedCase{"move", "", XboardLineKind::move},
                    AnnouncedCase{"1. ... g1f3", "g1f3", XboardLineKind::move},
                    AnnouncedCase{"23. ... a8a1", "a8a1", XboardLineKind::move},
                    AnnouncedCase{"  7.   ...\te1g1  ", "e1g1", XboardLineKind::move},
                    AnnouncedCase{"31. ... a7a8q", "a7a8q", XboardLineKind::move},
                    AnnouncedCase{"12. ... O-O-O", "O-O-O", XboardLineKind::move},
                    AnnouncedCase{"My move is : g1f3", std::nullopt, XboardLineKind::other},
                    AnnouncedCase{"1. e2e4", std::nullopt, XboardLineKind::thinking},
                    AnnouncedCase{"1. ...", std::nullopt, XboardLineKind::thinking},
                    AnnouncedCase{"1 ... e2e4", std::nullopt, XboardLineKind::thinking},
                    AnnouncedCase{"1.. ... e2e4", std::nullopt, XboardLineKind::thinking},
                    AnnouncedCase{"a. ... e2e4", std::nullopt, XboardLineKind::other},
                    AnnouncedCase{". ... e2e4", std::nullopt, XboardLineKind::other},
                    AnnouncedCase{"1. .. e2e4", std::nullopt, XboardLineKind::thinking},
                    AnnouncedCase{"2 633 0 52 (+) 1. ... Rxa1+ 2. Kf2 Rhxh1", std::nullopt,
                                  XboardLineKind::thinking},
                    AnnouncedCase{"8 | *R | *N | *B | *Q | *K | *B | *N | *R |", std::nullopt,
                                  XboardLineKind::thinking},
                    AnnouncedCase{"Processor time ......... 0:00:00.35", std::nullopt, XboardLineKind::other},
                    AnnouncedCase{"Invalid move: e7e5", std::nullopt, XboardLineKind::other},
                    AnnouncedCase{"moves 1. ... e2e4", std::nullopt, XboardLineKind::other},
                    AnnouncedCase{"", std::nullopt, XboardLineKind::other}));

}
