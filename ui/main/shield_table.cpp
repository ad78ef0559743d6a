#include "ui/main/shield_table.h"

namespace orvanel {

const std::array<ShieldEntry, 15> &ShieldTable()
{
    static const std::array<ShieldEntry, 15> table { {
        { "Blackoak Shield", { "Pally = 35", "as/am/b = 30", "d/s/n = 25" } },
        { "Gerke's Sanctuary", { "Pally = 84", "as/am/b=79", "d/s/n=74" } },
        { "Head Hunter's Glory", { "Pally = 50", "as/am/b =45", "d/s/n =40" } },
        { "Herald of Zakarum", { "Pally = 77" } },
        { "Lance Guard", { "Pally =38", "as/am/b =33", "d/s/n =27" } },
        { "Lidless Wall", { "Pally =50", "as/am/b =45", "d/s/n =40" } },
        { "Medusa's Gaze", { "Pally =54", "as/am/b =49", "d/s/n =40" } },
        { "Moser's Blessed Circle", { "Pally =60", "as/am/b =55", "d/s/n =50" } },
        { "Radament's Sphere", { "Pally =66", "as/am/b =61", "d/s/n =56" } },
        { "Spike Thorn", { "Pally =50", "as/am/b =45", "d/s/n =40" } },
        { "Spirit Ward", { "Pally = 74-84", "as/am/b =69-79", "d/s/n =64-74" } },
        { "Stormchaser", { "Pally =62", "as/am/b =57", "d/s/n =52" } },
        { "Stormshield", { "Pally = 77", "as/am/b = 72", "d/s/n =67" } },
        { "Tiamat's Rebuke", { "Pally =40", "as/am/b =35", "d/s/n =30" } },
        { "Viscerataunt", { "Pally =60", "as/am/b =55", "d/s/n =50" } },
    } };
    return table;
}

} // namespace orvanel
