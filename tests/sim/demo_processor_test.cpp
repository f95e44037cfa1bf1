// The demo processor that scripts/run starts (through scripts/demo-sim):
// a new user's first Download fills the window with the default setup, and
// a Verify right after it agrees with the processor.
#include <cstring>

#include "SimFixture.h"

using namespace tavro;
using namespace tavro::test;

TEST_F(SimTest, TheDemoProcessorHoldsTheDefaultSetup) {
    for (const std::string model : {"Tavro", "R7", "4820"}) {
        SCOPED_TRACE(model);
        SimProgram p(scratch + "/" + model, model);
        BuildImage(p.m());
        const auto before = p.m().ParameterImage;
        sim.startDemo(link, p.dir + "/Default.dfg");

        const SimProgram::Run down = p.run(p.m().OperationsReadSettings);
        EXPECT_EQ(down.label, "Settings downloaded succesfully.");
        // What came down is the default setup itself.
        BuildImage(p.m());
        EXPECT_EQ(std::memcmp(p.m().ParameterImage.data(), before.data(), sizeof before), 0);
        EXPECT_EQ(p.run(p.m().OperationsVerifySettings).label, "Settings verified succesfully.");
        sim.stop();
    }
}
