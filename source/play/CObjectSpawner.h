// Where every game object is made: one table with the starting values of each kind of object (the
// player, the enemies of each level, the three kinds of bullet, the enemy bird and the power-up),
// one function that makes an object from a row of it, and the random choices of each kind, drawn
// from rand in a fixed order; and where objects leave again. Only the gameplay state's message handler
// spawns and despawns.
#pragma once

class CBase;
class CBullet;
class CObjectReferenceMessage;
class CEnemy;
class CEnemyBird;
class CPlayer;
class CPowerup;

class CObjectSpawner
{
public:
    // Registers with the object factory, in this order: "CBase", "CPlayer", "CEnemy", "CBullet",
    // "CEnemyBird", "CPowerup", each with its class.
    static void RegisterClasses();
    // Unregisters "CBase", "CPlayer", "CEnemy" and "CBullet"; the bird and the power-up stay
    // registered, nothing of theirs depends on a running game.
    static void UnregisterPlayClasses();

    // Each makes one object of its kind, gives it its row's values and its random choices, switches
    // it on and hands it to the object manager, which then holds the only reference. The result
    // stays valid until the object is removed from the manager. Null when the factory has no class
    // of that name registered: then nothing is made and rand is not called.

    // At (300, 400), at rest, drawn above every bullet.
    static CPlayer* SpawnPlayer();
    // A walker, a shooter or (in level 3) a swimmer at the top edge, or at the bottom for a walker
    // that walks up, aimed at pTarget. Draws, in this order: x, y, shooter (not in level 3), hunter
    // (shooters in level 2 only) or, for the others, direction and variant.
    static CEnemy* SpawnEnemy(int nLevel, CBase* pTarget, int nScreenWidth, int nScreenHeight);
    // Draws x; starts above the screen.
    static CEnemyBird* SpawnEnemyBird(int nScreenWidth);
    // The power-up's constructor draws its kind, then x is drawn here; starts above the screen.
    static CPowerup* SpawnPowerup(int nScreenWidth);
    // Falls from (fX, fY), full size and shrinking.
    static CBullet* SpawnPlayerBullet(float fX, float fY);
    // A rock (or a hunter's bullet) from (fX, fY) along fAngle (radians, 0 up the screen, positive
    // clockwise), growing from nothing.
    static CBullet* SpawnEnemyBullet(float fX, float fY, float fAngle, bool bHunter);

    // Takes the object a destroy message names out of the object manager. The field keeps ten
    // enemies and its bird: an enemy or the bird that leaves asks for the next (made later in the
    // same pass of the messages).
    static void Despawn(const CObjectReferenceMessage& destroy);
};
