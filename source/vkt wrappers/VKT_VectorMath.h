// Two-component vectors in screen space (x to the right, y downwards) and a linear blend. All maths
// in single precision.
#pragma once

struct tVector2D
{
    float fX;
    float fY;
};

float Vector2DLength(tVector2D vec);
float DotProduct(tVector2D vecA, tVector2D vecB);
// Each component divided by the length. The zero vector is not guarded: its result is not a number.
tVector2D Vector2DNormalize(tVector2D vec);
// The unsigned angle in radians, 0 to pi. 0 when either vector has zero length, and 0 when rounding
// pushes the cosine just outside [-1, 1].
float AngleBetweenVectors(tVector2D vecA, tVector2D vecB);
// (b - a) * t + a; t is not clamped.
float Lerp(float fStart, float fEnd, float fT);
