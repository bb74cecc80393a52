// The whole story explored in English, as in Spanish.
#include "story_test.cpp"
