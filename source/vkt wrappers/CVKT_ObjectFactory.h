// Creates game objects from a class name, so that code can ask for a "CEnemy" without naming the
// class. Used as CVKT_ObjectFactory<std::string, CBase>.
#pragma once

#include <map>
#include <new>

template <typename ClassIDType, typename BaseClassType>
class CVKT_ObjectFactory
{
public:
    using ObjectCreator = BaseClassType* (*)();

    static CVKT_ObjectFactory* GetInstance() { return &sm_Instance; }

    CVKT_ObjectFactory(const CVKT_ObjectFactory&) = delete;
    CVKT_ObjectFactory& operator=(const CVKT_ObjectFactory&) = delete;

    // Maps the id to T's default constructor. An id already registered keeps its first class.
    // Always true.
    template <typename T>
    bool RegisterClassType(ClassIDType id)
    {
        m_ObjectConstructors.insert(std::make_pair(id, &ConstructObject<T>));
        return true;
    }

    // False when the id was not registered.
    bool UnregisterClassType(ClassIDType id) { return m_ObjectConstructors.erase(id) > 0; }

    // A new object whose one reference belongs to the caller, or null when the id is not registered
    // or memory ran out. Callers must skip a null result.
    BaseClassType* CreateObject(ClassIDType id)
    {
        auto found = m_ObjectConstructors.find(id);
        if (found == m_ObjectConstructors.end())
            return nullptr;
        return found->second();
    }

private:
    CVKT_ObjectFactory() = default;

    template <typename T>
    static BaseClassType* ConstructObject()
    {
        return new (std::nothrow) T;
    }

    static CVKT_ObjectFactory sm_Instance;

    std::map<ClassIDType, ObjectCreator> m_ObjectConstructors;
};

template <typename ClassIDType, typename BaseClassType>
CVKT_ObjectFactory<ClassIDType, BaseClassType> CVKT_ObjectFactory<ClassIDType, BaseClassType>::sm_Instance;
