// Hit tests answer the depth of what lies under the pointer; a miss answers
// NoHit, the largest finite float, so that picking, which keeps the smallest
// depth, never takes one.
#pragma once

constexpr float NoHit = 3.4028235e38f;
