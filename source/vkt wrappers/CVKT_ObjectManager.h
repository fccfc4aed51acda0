// Holds every live game object of the gameplay screen: updates them, removes the inactive ones,
// draws them in order of scale and runs the collision pass. Each pointer in the list is one reference
// held by the manager.
#pragma once

#include <vector>

class CBase;

class CVKT_ObjectManager
{
public:
    static CVKT_ObjectManager* GetInstance();

    CVKT_ObjectManager(const CVKT_ObjectManager&) = delete;
    CVKT_ObjectManager& operator=(const CVKT_ObjectManager&) = delete;

    // Appends the object (duplicates allowed) and takes a reference. Null is ignored.
    void AddObject(CBase* pObject);
    // Drops the first occurrence of the object and its reference; nothing when it is not listed.
    void RemoveObject(CBase* pObject);
    // Drops every object and its reference, in list order.
    void RemoveAllObjects();

    // Updates the active objects front to back, then removes those that were already inactive when
    // reached. An object that switches itself off during this pass goes on the next one.
    void UpdateObjects(float fElapsedTime);
    // Sorts the list itself by ascending scale (equal scales in no defined order) and draws every
    // object, inactive ones included, so larger scales land on top.
    void RenderObjects();
    // Sorts the list exactly as RenderObjects does, then draws every object except those of type
    // nTypeOnTop, then those, each group in list order: the chosen type lands over everything else.
    void RenderObjects(int nTypeOnTop);
    // The sorting RenderObjects does, without drawing. Later updates and collisions go through the
    // list in this order, so a frame that is not drawn (a replay played faster) must still sort.
    void SortByScale();
    // Ordered pairs (i, j) over the whole list: objects of different types are tested, objects of the
    // same type only when both are enemies (an enemy also meets itself). The first hit that i's
    // handler reports ends the inner loop for that i.
    void CheckCollisions();

    // The list as it stands: for tests and tools.
    const std::vector<CBase*>& GetObjects() const { return m_vObjectList; }

private:
    CVKT_ObjectManager() = default;
    // At exit the vector is freed without Release calls: the objects may already be unreachable.
    ~CVKT_ObjectManager() = default;

    std::vector<CBase*> m_vObjectList;
};
