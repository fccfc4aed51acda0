// The vector functions and the linear blend.
#include "VKT_VectorMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr float kPi = 3.14159265358979f;
}

TEST(VectorMath, LengthAndDotProduct)
{
    EXPECT_FLOAT_EQ(5.0f, Vector2DLength({3.0f, 4.0f}));
    EXPECT_FLOAT_EQ(5.0f, Vector2DLength({-3.0f, -4.0f}));
    EXPECT_FLOAT_EQ(0.0f, Vector2DLength({0.0f, 0.0f}));
    EXPECT_FLOAT_EQ(11.0f, DotProduct({1.0f, 2.0f}, {3.0f, 4.0f}));
    EXPECT_FLOAT_EQ(0.0f, DotProduct({0.0f, -1.0f}, {1.0f, 0.0f}));
}

TEST(VectorMath, NormalizeDividesByTheLength)
{
    const tVector2D unit = Vector2DNormalize({3.0f, 4.0f});
    EXPECT_FLOAT_EQ(0.6f, unit.fX);
    EXPECT_FLOAT_EQ(0.8f, unit.fY);
    const tVector2D down = Vector2DNormalize({0.0f, -250.0f});
    EXPECT_FLOAT_EQ(0.0f, down.fX);
    EXPECT_FLOAT_EQ(-1.0f, down.fY);
}

TEST(VectorMath, AngleIsUnsignedBetweenZeroAndPi)
{
    EXPECT_NEAR(kPi / 2.0f, AngleBetweenVectors({0.0f, -1.0f}, {1.0f, 0.0f}), 1e-6f);
    EXPECT_NEAR(kPi / 2.0f, AngleBetweenVectors({0.0f, -1.0f}, {-1.0f, 0.0f}), 1e-6f);
    EXPECT_NEAR(kPi, AngleBetweenVectors({0.0f, -1.0f}, {0.0f, 1.0f}), 1e-6f);
    // Lengths do not matter.
    EXPECT_NEAR(kPi / 4.0f, AngleBetweenVectors({10.0f, 0.0f}, {3.0f, 3.0f}), 1e-6f);
}

TEST(VectorMath, AngleWithTheZeroVectorIsZero)
{
    EXPECT_EQ(0.0f, AngleBetweenVectors({0.0f, 0.0f}, {1.0f, 0.0f}));
    EXPECT_EQ(0.0f, AngleBetweenVectors({3.0f, -4.0f}, {0.0f, 0.0f}));
    EXPECT_EQ(0.0f, AngleBetweenVectors({0.0f, 0.0f}, {0.0f, 0.0f}));
}

TEST(VectorMath, AngleIsZeroWhenRoundingPushesTheCosineAboveOne)
{
    // A unit vector whose normalised dot product with itself comes out just above 1 in single
    // precision, where the arc cosine has no value.
    const tVector2D vec = {0.997551024f, 0.0699428469f};
    const float fLength = Vector2DLength(vec);
    const float fCosine = DotProduct(vec, vec) / (fLength * fLength);
    ASSERT_GT(fCosine, 1.0f);
    ASSERT_TRUE(std::isnan(std::acos(fCosine)));
    EXPECT_EQ(0.0f, AngleBetweenVectors(vec, vec));
}

TEST(VectorMath, LerpIsNotClamped)
{
    EXPECT_FLOAT_EQ(66.5f, Lerp(0.0f, 133.0f, 0.5f));
    EXPECT_FLOAT_EQ(146.3f, Lerp(0.0f, 133.0f, 1.1f));
    EXPECT_FLOAT_EQ(-13.3f, Lerp(0.0f, 133.0f, -0.1f));
    EXPECT_FLOAT_EQ(20.0f, Lerp(10.0f, 20.0f, 1.0f));
    EXPECT_FLOAT_EQ(10.0f, Lerp(10.0f, 20.0f, 0.0f));
}
