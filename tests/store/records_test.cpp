#include <gtest/gtest.h>

#include "store/records.h"

namespace braxol {
namespace {

TEST(Records, BlankMovementHasBlankTextsAndZeroNumbers) {
    const TMOVIMENTO r = BlankMovement();
    EXPECT_EQ(r.NUMOPE, 0);
    EXPECT_EQ(r.ANNOTA.view(), std::string(250, ' '));
    EXPECT_EQ(r.CODMOV.view(), "   ");
}

}  // namespace
}  // namespace braxol
