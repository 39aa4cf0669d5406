// A bare number names the same base wherever a user types it: --goto, --region (alone or
// as START-END), --window-start and the G prompt all count from 1.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "camera.h"
#include "goto_prompt.h"
#include "view_options.h"
#include "view_region.h"
#include "view_state_instance.h"

namespace {

TEST(TypedBase, ABareNumberNamesTheSameBaseEverywhere) {
  for (int64_t typed : {int64_t{1}, int64_t{5000}, int64_t{2147483648}}) {
    std::string number = std::to_string(typed), error;
    ViewOptions options;
    ASSERT_TRUE(takeViewOption(kGotoOption, number.c_str(), options, error)) << error;
    ASSERT_TRUE(takeViewOption(kWindowStartOption, number.c_str(), options, error)) << error;
    EXPECT_EQ(options.gotoPosition, typed - 1);
    EXPECT_EQ(options.view.filter.windowStart, typed - 1);
    int64_t start = -1, end = -1;
    ASSERT_TRUE(readRegion(number, start, end, error)) << error;
    EXPECT_EQ(start, typed - 1);
    EXPECT_EQ(end, typed);
    ASSERT_TRUE(readRegion(number + "-" + number, start, end, error)) << error;
    EXPECT_EQ(start, typed - 1);
    EXPECT_EQ(end, typed);
    // G faces the base --goto faces.
    ViewOptions gotoOnly;
    gotoOnly.gotoPosition = options.gotoPosition;
    applyView(gotoOnly, viewState);
    Camera byOption = camera;
    camera = Camera{};
    openGotoPrompt();
    for (char c : number) typeIntoGotoPrompt(static_cast<uint32_t>(c));
    enterGotoPrompt();
    EXPECT_FALSE(gotoPromptOpen()) << number;
    EXPECT_EQ(camera.camX, byOption.camX) << number;
    EXPECT_EQ(camera.camY, byOption.camY) << number;
  }
  std::string error;
  ViewOptions options;
  EXPECT_FALSE(takeViewOption(kGotoOption, "0", options, error)) << "bases start at 1";
}

}  // namespace
