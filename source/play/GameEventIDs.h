// The ids of every event the game sends. All are sent with a null parameter.
#pragma once

constexpr const char* EVENT_PAUSE_GAME = "PauseGame";
constexpr const char* EVENT_UNPAUSE_GAME = "UnpauseGame";
constexpr const char* EVENT_PLAYER_DIED = "PlayerDied";
constexpr const char* EVENT_PLAYER_GAINED_LIFE = "PlayerGainedLife";
constexpr const char* EVENT_ADD_SCORE = "AddScore";
constexpr const char* EVENT_ENEMY_FIRE_BULLET = "EnemyFireBullet";
constexpr const char* EVENT_PLAYER_FIRE_BULLET = "PlayerFireBullet";
// Enemies and enemy birds listen for it, but nothing sends it.
constexpr const char* EVENT_TURRET_DESTROYED = "TurretDestroyed";
