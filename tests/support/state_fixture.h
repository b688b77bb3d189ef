// state_fixture.h — base fixture that restores the viewer state before each case.
#pragma once

#include <gtest/gtest.h>

#include "core/tyxparam.h"

class StateTest : public ::testing::Test {
  protected:
    void SetUp() override { reset_viewer_state(); }
    void TearDown() override { reset_viewer_state(); }
};
