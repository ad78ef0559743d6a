#pragma once

// The shields a player can look up, with the block percentage each gives to
// Paladins, to Assassins, Amazons and Barbarians, and to Druids, Sorceresses
// and Necromancers. The value texts are shown exactly as stored.

#include <array>
#include <string_view>
#include <vector>

namespace orvanel {

struct ShieldEntry {
    std::string_view name;
    std::vector<std::string_view> values; // one to three texts
};

const std::array<ShieldEntry, 15> &ShieldTable();

} // namespace orvanel
