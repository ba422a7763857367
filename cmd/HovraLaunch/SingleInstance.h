// Lets one launchpad run at a time: a named mutex marks the running one, and a second start
// brings that one to the front instead of opening another window.
#pragma once

#include <windows.h>

class CSingleInstance
{
public:
    CSingleInstance() = default;
    virtual ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process may run the launchpad. False when another one holds the name; that
    // one has then been brought to the front, with any window it has open above it.
    bool IsFirstInstance();

private:
    HANDLE m_hMutex = nullptr;
};
