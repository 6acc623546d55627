#pragma once

// Process-wide instances of the terminal's services.
//
// CSingletonT creates its object on first use and keeps it to process end.
// CManualSingletonT does the same but lets the terminal (and tests) destroy
// and recreate the object explicitly.
//
// The instances live in one registry inside the host library, keyed by type
// name, so a module built with hidden symbols shares the terminal's instances
// instead of instantiating its own copy of the template's static.

#include "utils/ResetRegistry.h"

#include <atomic>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include <boost/thread/mutex.hpp>

namespace utils {

namespace detail {

struct SingletonSlot
{
    std::atomic<void *> object { nullptr };
    boost::mutex mutex;
};

// The slot of `typeName`, created on first request; slots are never removed.
SingletonSlot &singletonSlot(const char *typeName);

// Whether T returns itself to its empty state with resetForTests().
template<class T, class = void> struct HasResetForTests : std::false_type
{
};
template<class T>
struct HasResetForTests<T, std::void_t<decltype(std::declval<T &>().resetForTests())>>
    : std::true_type
{
};

} // namespace detail

template<class T> class CSingletonT
{
public:
    // Never destroyed: services may be reached during static destruction.
    static T *instance()
    {
        static detail::SingletonSlot &slot = detail::singletonSlot(typeid(T).name());
        void *p = slot.object.load(std::memory_order_acquire);
        if (!p) {
            boost::mutex::scoped_lock lock(slot.mutex);
            p = slot.object.load(std::memory_order_relaxed);
            if (!p) {
                p = new T();
                slot.object.store(p, std::memory_order_release);
                if constexpr (detail::HasResetForTests<T>::value)
                    registerReset(typeid(T).name(),
                                  [] { CSingletonT<T>::instance()->resetForTests(); });
            }
        }
        return static_cast<T *>(p);
    }

private:
    CSingletonT() = delete;
};

template<class T> class CManualSingletonT
{
public:
    static T *instance()
    {
        detail::SingletonSlot &s = slot();
        void *p = s.object.load(std::memory_order_acquire);
        if (!p) {
            boost::mutex::scoped_lock lock(s.mutex);
            p = s.object.load(std::memory_order_relaxed);
            if (!p) {
                p = new T();
                s.object.store(p, std::memory_order_release);
                if constexpr (detail::HasResetForTests<T>::value)
                    registerReset(typeid(T).name(), [] {
                        if (CManualSingletonT<T>::exists())
                            CManualSingletonT<T>::instance()->resetForTests();
                    });
            }
        }
        return static_cast<T *>(p);
    }

    static bool exists() { return slot().object.load(std::memory_order_acquire) != nullptr; }

    // Destroys the instance; the next instance() call creates a fresh one.
    static void destroyInstance()
    {
        detail::SingletonSlot &s = slot();
        T *p = nullptr;
        {
            boost::mutex::scoped_lock lock(s.mutex);
            p = static_cast<T *>(s.object.exchange(nullptr));
        }
        delete p;
    }

private:
    CManualSingletonT() = delete;
    static detail::SingletonSlot &slot()
    {
        static detail::SingletonSlot &s = detail::singletonSlot(typeid(T).name());
        return s;
    }
};

} // namespace utils
