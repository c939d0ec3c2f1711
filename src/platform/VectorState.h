#pragma once

// QtCore's AES string hash (behind QSettings and every QHash of strings) returns with the upper
// halves of the AVX registers still in use. On some processors every later SSE instruction then
// runs many times slower (floating-point work by a factor of 20 was measured) until something
// clears that state. Code that has just used such a hash calls this; it does nothing on
// processors without AVX.
void ClearUpperVectorState();

// Clears the state when it goes out of scope.
struct CUpperVectorStateGuard {
    CUpperVectorStateGuard() = default;
    CUpperVectorStateGuard(const CUpperVectorStateGuard&) = delete;
    CUpperVectorStateGuard& operator=(const CUpperVectorStateGuard&) = delete;
    ~CUpperVectorStateGuard() { ClearUpperVectorState(); }
};
