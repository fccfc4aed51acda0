// What the object manager and the messages need of a game object: update, draw and explicit
// reference counting. Nobody deletes a game object directly; the last Release does.
#pragma once

class IBaseInterface
{
public:
    virtual ~IBaseInterface() = 0;

    // Advances the object by fElapsedTime seconds.
    virtual void Update(float fElapsedTime) = 0;
    virtual void Render() = 0;
    virtual void AddRef() = 0;
    // Drops one reference; the object destroys itself when none is left.
    virtual void Release() = 0;
};

inline IBaseInterface::~IBaseInterface() {}
