#pragma once

// Process-wide instances of the terminal's services.
//
// CSingletonT creates its object on first use and keeps it to process end.
// CManualSingletonT does the same but lets the terminal (and tests) destroy
// and recreate the object explicitly.
//
// Both templates carry default visibility so that the module, which is built
// with hidden symbols, shares the terminal's instances instead of making its own.

#include <boost/thread/mutex.hpp>

namespace utils {

template <class T>
class __attribute__((visibility("default"))) CSingletonT
{
public:
    // Never destroyed: services may be reached during static destruction.
    static T *instance()
    {
        static T *object = new T();
        return object;
    }

private:
    CSingletonT() = delete;
};

template <class T>
class __attribute__((visibility("default"))) CManualSingletonT
{
public:
    static T *instance()
    {
        T *p = slot();
        if (!p) {
            boost::mutex::scoped_lock lock(guard());
            p = slot();
            if (!p) {
                p = new T();
                slot() = p;
            }
        }
        return p;
    }

    static bool exists() { return slot() != nullptr; }

    // Destroys the instance; the next instance() call creates a fresh one.
    static void destroyInstance()
    {
        boost::mutex::scoped_lock lock(guard());
        delete slot();
        slot() = nullptr;
    }

private:
    CManualSingletonT() = delete;
    static T *&slot()
    {
        static T *p = nullptr;
        return p;
    }
    static boost::mutex &guard()
    {
        static boost::mutex m;
        return m;
    }
};

} // namespace utils
