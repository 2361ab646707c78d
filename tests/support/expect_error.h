#pragma once

#include <gtest/gtest.h>

#include "calc/runtime_error.h"

// Asserts that `statement` raises the run-time error `expected`, and names the error it did
// raise otherwise.
#define EXPECT_RUNTIME_ERROR(statement, expected)                                   \
    do {                                                                            \
        try {                                                                       \
            static_cast<void>(statement);                                           \
            ADD_FAILURE() << "expected error " << ::idrovela::ErrorNumber(expected) \
                          << ", nothing was raised";                                \
        } catch (const ::idrovela::RuntimeError& raised) {                          \
            EXPECT_EQ(raised.number(), ::idrovela::ErrorNumber(expected))           \
                << "raised " << raised.number() << " " << raised.description();     \
        }                                                                           \
    } while (false)
