#pragma once

#include <gtest/gtest.h>

#include <string>

#include "physics/physics_error.h"

// Asserts that `statement` throws PhysicsError whose message holds `part`, and shows the message
// otherwise.
#define EXPECT_PHYSICS_ERROR(statement, part)                                                   \
    do {                                                                                        \
        try {                                                                                   \
            static_cast<void>(statement);                                                       \
            ADD_FAILURE() << "expected PhysicsError with \"" << (part) << "\", nothing thrown"; \
        } catch (const ::idrovela::physics::PhysicsError& error) {                              \
            EXPECT_NE(std::string(error.what()).find(part), std::string::npos)                  \
                << "message: " << error.what();                                                 \
        }                                                                                       \
    } while (false)
