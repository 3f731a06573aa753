#pragma once

namespace bz::preview {

// The embedded sample: a college file and a patterns file, in the formats --help describes.
// The dates are written year first, which every locale reads.
extern const char* const sampleCollege;
extern const char* const samplePatterns;

} // namespace bz::preview
