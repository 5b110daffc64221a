#pragma once
// EXPECT_TRUE(FailsWith(os::CopyFile(...), os::kErrorFileNotFound)): the call returned false and
// left `error` as the thread's last error.

#include <gtest/gtest.h>

#include "platform/last_error.h"

inline ::testing::AssertionResult FailsWith(bool succeeded, uint32_t error) {
    const uint32_t last = os::GetLastError();
    if (succeeded || last != error) {
        return ::testing::AssertionFailure()
               << (succeeded ? "succeeded" : "failed") << " with last error " << last;
    }
    return ::testing::AssertionSuccess();
}
