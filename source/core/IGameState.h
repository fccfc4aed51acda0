// The interface of every screen on the game's state stack.
#pragma once

class IGameState
{
public:
    virtual ~IGameState() = default;
    // Loads what the state needs; runs before the state is on the stack.
    virtual void Enter() = 0;
    // Reads the input devices; false ends the game.
    virtual bool Input() = 0;
    // fElapsedTime: seconds since the previous frame.
    virtual void Update(float fElapsedTime) = 0;
    virtual void Render() = 0;
    // Releases what Enter loaded.
    virtual void Exit() = 0;
};
