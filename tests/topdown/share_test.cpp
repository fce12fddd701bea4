#include <gtest/gtest.h>
TEST(Share, Placeholder) {}
