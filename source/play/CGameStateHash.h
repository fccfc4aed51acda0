// A fingerprint of everything the rules of a running game decide: the gameplay state's counters,
// flags and timers, the typed characters, the pause menu's choice, and every game object's type,
// place, speed, size, scale and activity (and the player's charge). Two runs whose fingerprints
// agree after every frame played the same game.
#pragma once

#include <cstdint>

class CGameStateHash
{
public:
    // FNV-1a over the values above, floats by their bits, objects in the object manager's order.
    static uint32_t Compute();
};
