#pragma once

#include <QImage>
#include <QRect>
#include <array>

namespace tavro::art {

// How a colour is seen: normal vision or one of the three dichromacies,
// simulated with the severity-1.0 matrices of Machado, Oliveira and
// Fernandes (2009), applied to linear RGB.
enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr std::array<Vision, 4> kVisions = {Vision::Normal, Vision::Protanopia,
                                            Vision::Deuteranopia, Vision::Tritanopia};
const char* visionName(Vision vision);

using LinearRgb = std::array<double, 3>; // 0..1, linear light
struct Lab {
    double l, a, b;
};

double toLinear(int srgb8);
int toSrgb8(double linear);
LinearRgb simulate(const LinearRgb& colour, Vision vision);
Lab toLab(const LinearRgb& colour); // CIE L*a*b*, D65 white
double ciede2000(const Lab& x, const Lab& y);

// Mean colour (in linear light) of the central 40 % square of a cell.
LinearRgb centreMean(const QImage& image, const QRect& cell);

// The smallest CIEDE2000 difference between the centre means of any two of
// the first `types` square cells of a strip, over all four visions.
struct TypeDifference {
    double value;
    int first, second;
    Vision vision;
};
TypeDifference smallestTypeDifference(const QImage& strip, int types);

// A copy of the image as seen with the given vision.
QImage simulated(const QImage& image, Vision vision);

} // namespace tavro::art
