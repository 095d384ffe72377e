// Another Wine program that holds a function key for as long as this object lives.
#pragma once

#include <windows.h>

class OtherProgramHoldingKey {
public:
    explicit OtherProgramHoldingKey(UINT virtualKey);
    ~OtherProgramHoldingKey();
    OtherProgramHoldingKey(const OtherProgramHoldingKey&) = delete;
    OtherProgramHoldingKey& operator=(const OtherProgramHoldingKey&) = delete;
    bool Holding() const { return holding_; }

private:
    HANDLE held_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_ = {};
    bool holding_ = false;
};
