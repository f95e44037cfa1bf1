// The scripted host of the tests: a question or a file dialog that the test
// did not queue an answer for fails the test, naming it, and is answered No
// or Cancel so that the test runs on.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ScriptedHost.h"

namespace tavro::test {

class FakeHost : public ScriptedHost {
protected:
    void unscripted(const std::string& what) override { ADD_FAILURE() << "unscripted " << what; }
};

}  // namespace tavro::test
