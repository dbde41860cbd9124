#include "bench/pgn_read/pgn_bench_file.h"

#include "game/game_tree.h"
#include "game/pgn_file.h"
#include "game/pgn_tokenizer.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::array players = {"Carlsen, Magnus", "Caruana, Fabiano", "Ding, Liren", "Nepomniachtchi, Ian",
                                "Giri, Anish", "Aronian, Levon", "So, Wesley", "Mamedyarov, Shakhriyar",
                                "Vachier-Lagrave, Maxime", "Rapport, Richard", "Firouzja, Alireza",
                                "Gukesh, Dommaraju", "Praggnanandhaa, R", "Abdusattorov, Nodirbek",
                                "Duda, Jan-Krzysztof", "Nakamura, Hikaru"};
constexpr std::array events = {"Club Championship", "Rapid Open", "Engine Match", "Torvane battles",
                               "City Blitz", "National League", "Spring Invitational"};
constexpr std::array sites = {"Oslo NOR", "Wijk aan Zee NED", "St. Louis USA", "Chennai IND", "Berlin GER",
                              "Madrid ESP", "?"};
constexpr std::array words = {"good", "better is", "the only move", "a typical plan", "White is pressing",
                              "Black equalises", "time trouble", "an interesting idea", "inaccuracy", "forced"};

struct Seed {
    MoveSection section;
    std::string result;
};

std::vector<Seed> read_seeds(const std::string& seed_path)
{
    PgnFile file;
    file.open(seed_path);
    std::vector<Seed> seeds;
    for (std::string text = file.first_game(); !text.empty(); text = file.next_game()) {
        Seed seed;
        const auto tokens = pgn_tokenize(text);
        std::size_t index = 0;
        seed.section.load(tokens, index, -1);
        seed.result = tokens.back().type == PgnTokenType::result ? tokens.back().text : "*";
        seeds.push_back(std::move(seed));
    }
    if (seeds.empty())
        throw std::runtime_error("write_bench_file(): no seed games in " + seed_path);
    return seeds;
}

std::string engine_comment(std::mt19937& random)
{
    char text[96];
    std::snprintf(text, sizeof text, "[%%eval %.2f] [%%depth %u] [%%emt 0:00:%02u]",
                  (static_cast<int>(random() % 300) - 150) / 100.0, 12 + static_cast<unsigned>(random() % 20),
                  static_cast<unsigned>(random() % 60));
    return text;
}

std::string game_text(const Seed& seed, int number, std::mt19937& random)
{
    auto pick = [&random](const auto& list) { return list[random() % list.size()]; };
    GameTree tree;
    tree.load(seed.section);
    std::string result = seed.result;
    if (result == "*") {
        constexpr std::array results = {"1-0", "0-1", "1/2-1/2", "1/2-1/2", "*"};
        result = pick(results);
        if (result != "*") {
            MoveSectionEntry end;
            end.set_result(result);
            std::uint64_t last = 0;
            while (tree.entry(last).child_count() > 0)
                last = static_cast<std::uint64_t>(tree.entry(last).child(0));
            tree.add_child(last, end);
        }
    }
    for (std::uint64_t id = 1; id < tree.next_id(); ++id) {
        if (!tree.contains(id) || tree.entry(id).type() != MoveSectionEntryType::move)
            continue;
        const unsigned roll = random() % 100;
        MoveSectionEntry& move = tree.entry(id);
        if (roll < 12)
            move.set_comment(engine_comment(random));
        else if (roll < 16)
            move.set_comment(pick(words));
        else if (roll < 18)
            move.set_nag("$" + std::to_string(1 + random() % 6));
    }
    const std::string white = pick(players);
    std::string black = pick(players);
    if (black == white)
        black = players[0];
    char date[16];
    std::snprintf(date, sizeof date, "%04u.%02u.%02u", 1990 + static_cast<unsigned>(random() % 35),
                  1 + static_cast<unsigned>(random() % 12), 1 + static_cast<unsigned>(random() % 28));
    std::string text;
    text += "[Event \"" + std::string(pick(events)) + "\"]\n";
    text += "[Site \"" + std::string(pick(sites)) + "\"]\n";
    text += "[Date \"" + std::string(date) + "\"]\n";
    text += "[Round \"" + std::to_string(1 + number % 13) + "\"]\n";
    text += "[White \"" + white + "\"]\n";
    text += "[Black \"" + black + "\"]\n";
    text += "[Result \"" + result + "\"]\n";
    text += "[WhiteElo \"" + std::to_string(2500 + random() % 350) + "\"]\n";
    text += "[BlackElo \"" + std::to_string(2500 + random() % 350) + "\"]\n";
    text += "[TimeControl \"40/5400:1800+30\"]\n\n";
    text += tree.movetext();
    text += "\n\n";
    return text;
}

}

void write_bench_file(const std::string& seed_path, const std::string& path, int games)
{
    const std::vector<Seed> seeds = read_seeds(seed_path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::mt19937 random(20261208);
    for (int n = 0; n < games; ++n)
        out << game_text(seeds[random() % seeds.size()], n, random);
    if (!out.flush())
        throw std::runtime_error("write_bench_file(): cannot write " + path);
}
