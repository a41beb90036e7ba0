// A tiny module for the loader's tests: one exported entry and one hidden one.
extern "C" __attribute__((visibility("default"))) int ModTestAnswer(int x) { return x * 3 + 1; }

extern "C" int ModTestHidden() { return 7; }
