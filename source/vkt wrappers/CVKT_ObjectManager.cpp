#include "CVKT_ObjectManager.h"

#include "CBase.h"

#include <algorithm>

CVKT_ObjectManager* CVKT_ObjectManager::GetInstance()
{
    static CVKT_ObjectManager instance;
    return &instance;
}

void CVKT_ObjectManager::AddObject(CBase* pObject)
{
    if (!pObject)
        return;
    m_vObjectList.push_back(pObject);
    pObject->AddRef();
}

void CVKT_ObjectManager::RemoveObject(CBase* pObject)
{
    if (!pObject)
        return;
    auto found = std::find(m_vObjectList.begin(), m_vObjectList.end(), pObject);
    if (found == m_vObjectList.end())
        return;
    // Out of the list before the reference goes: a destructor that reaches the manager must not
    // find itself in it.
    m_vObjectList.erase(found);
    pObject->Release();
}

void CVKT_ObjectManager::RemoveAllObjects()
{
    std::vector<CBase*> released;
    released.swap(m_vObjectList);
    for (CBase* pObject : released)
        pObject->Release();
}

void CVKT_ObjectManager::UpdateObjects(float fElapsedTime)
{
    std::vector<CBase*> finished;
    // By index: the list must not be walked through iterators that an Update could invalidate.
    for (size_t i = 0; i < m_vObjectList.size(); ++i)
    {
        CBase* pObject = m_vObjectList[i];
        if (pObject->GetActive())
            pObject->Update(fElapsedTime);
        else
            finished.push_back(pObject);
    }
    for (CBase* pObject : finished)
        RemoveObject(pObject);
}

void CVKT_ObjectManager::SortByScale()
{
    // Stable: objects of one scale keep their order, so sorting a list that is sorted already (a
    // frame drawn twice between two updates, a replay shown faster than it was played) leaves the
    // update and collision order, and with it the game, exactly as it was. An insertion sort, as the
    // list is nearly sorted at every frame: one pass, and no buffer allocated per frame as
    // std::stable_sort would.
    for (size_t i = 1; i < m_vObjectList.size(); ++i)
    {
        CBase* pObject = m_vObjectList[i];
        size_t j = i;
        for (; j > 0 && pObject->GetScale() < m_vObjectList[j - 1]->GetScale(); --j)
            m_vObjectList[j] = m_vObjectList[j - 1];
        m_vObjectList[j] = pObject;
    }
}

void CVKT_ObjectManager::RenderObjects()
{
    SortByScale();
    for (size_t i = 0; i < m_vObjectList.size(); ++i)
        m_vObjectList[i]->Render();
}

void CVKT_ObjectManager::RenderObjects(int nTypeOnTop)
{
    SortByScale();
    for (size_t i = 0; i < m_vObjectList.size(); ++i)
    {
        if (m_vObjectList[i]->GetType() != nTypeOnTop)
            m_vObjectList[i]->Render();
    }
    for (size_t i = 0; i < m_vObjectList.size(); ++i)
    {
        if (m_vObjectList[i]->GetType() == nTypeOnTop)
            m_vObjectList[i]->Render();
    }
}

void CVKT_ObjectManager::CheckCollisions()
{
    for (size_t i = 0; i < m_vObjectList.size(); ++i)
    {
        for (size_t j = 0; j < m_vObjectList.size(); ++j)
        {
            CBase* pFirst = m_vObjectList[i];
            CBase* pSecond = m_vObjectList[j];
            const bool bDifferentTypes = pFirst->GetType() != pSecond->GetType();
            if (!bDifferentTypes && pFirst->GetType() != OBJ_ENEMY)
                continue;
            if (pFirst->CheckCollision(pSecond))
                break;
        }
    }
}
