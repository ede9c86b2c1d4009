#pragma once
// Failing file operations on demand, for the save tests. These tests run in their own ctest entries with the
// fault library (FaultShim.cpp) preloaded; their suite names end in "SaveFaults", which keeps them out of the
// ordinary runs.
//
//     for (const char* call : korvel::testing::kSaveFaults) {
//         korvel::testing::InjectedFault fault(call, "inputs.txt");  // armed until it goes out of scope
//         EXPECT_FALSE(save());
//     }
#include <dlfcn.h>

#include <string>

namespace korvel::testing {

// Every step of a save that can fail: a write that fails outright, a disk that fills up part way, the sync,
// the close and the rename of the temporary file.
inline const char* const kSaveFaults[] = {"write", "short-write", "fsync", "close", "rename"};

class InjectedFault {
public:
    // From now on, call fails on every file whose path contains pathPart (the temporary file beside it too).
    InjectedFault(const std::string& call, const std::string& pathPart) : before_(injected())
    {
        if (auto arm = function<void (*)(const char*)>("korvel_fault_arm"))
            arm((call + ":" + pathPart).c_str());
    }
    ~InjectedFault()
    {
        if (auto arm = function<void (*)(const char*)>("korvel_fault_arm"))
            arm(nullptr);
    }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

    // The fault library is loaded in this process.
    static bool available() { return function<void (*)(const char*)>("korvel_fault_arm") != nullptr; }
    // Calls failed while this fault was armed.
    int failures() const { return injected() - before_; }

private:
    template <class Function>
    static Function function(const char* name)
    {
        return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
    }
    static int injected()
    {
        auto count = function<int (*)()>("korvel_faults_injected");
        return count ? count() : 0;
    }

    int before_;
};

} // namespace korvel::testing
