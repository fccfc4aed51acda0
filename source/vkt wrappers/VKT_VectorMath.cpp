#include "VKT_VectorMath.h"

#include <cmath>

float Vector2DLength(tVector2D vec)
{
    return std::sqrt(vec.fX * vec.fX + vec.fY * vec.fY);
}

float DotProduct(tVector2D vecA, tVector2D vecB)
{
    return vecA.fX * vecB.fX + vecA.fY * vecB.fY;
}

tVector2D Vector2DNormalize(tVector2D vec)
{
    const float fLength = Vector2DLength(vec);
    return tVector2D{vec.fX / fLength, vec.fY / fLength};
}

float AngleBetweenVectors(tVector2D vecA, tVector2D vecB)
{
    const float fLengths = Vector2DLength(vecA) * Vector2DLength(vecB);
    if (fLengths == 0.0f)
        return 0.0f;
    const float fAngle = std::acos(DotProduct(vecA, vecB) / fLengths);
    if (std::isnan(fAngle))
        return 0.0f;
    return fAngle;
}

float Lerp(float fStart, float fEnd, float fT)
{
    return (fEnd - fStart) * fT + fStart;
}
